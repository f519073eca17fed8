#pragma once

#include <QPixmap>
#include <QString>

#include <vector>

// A fixed number of picture slots, filled once at set-up. An unfilled slot
// holds no picture, which clears any control it is given to. A slot number
// outside the cache is Subscript out of range.
class PictureCache
{
public:
    PictureCache(const char* name, int slotCount);

    int slotCount() const { return static_cast<int>(pictures_.size()); }
    const QPixmap& operator()(int slot) const;
    // The file the slot's picture was read from.
    const QString& file(int slot) const;
    void fill(int slot, const QPixmap& picture, const QString& file = {});

private:
    void check(int slot) const;
    const char* name_;
    std::vector<QPixmap> pictures_;
    std::vector<QString> files_;
};
