#include "picturecache.h"

#include "platform/runtimeerror.h"

PictureCache::PictureCache(const char* name, int slotCount)
    : name_(name), pictures_(static_cast<size_t>(slotCount)), files_(pictures_.size())
{
}

void PictureCache::check(int slot) const
{
    if (slot < 0 || slot >= slotCount())
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange,
                           QStringLiteral("%1(%2) (slots 0 to %3)")
                               .arg(QLatin1String(name_))
                               .arg(slot)
                               .arg(slotCount() - 1));
}

const QPixmap& PictureCache::operator()(int slot) const
{
    check(slot);
    return pictures_[static_cast<size_t>(slot)];
}

const QString& PictureCache::file(int slot) const
{
    check(slot);
    return files_[static_cast<size_t>(slot)];
}

void PictureCache::fill(int slot, const QPixmap& picture, const QString& file)
{
    check(slot);
    pictures_[static_cast<size_t>(slot)] = picture;
    files_[static_cast<size_t>(slot)] = file;
}
