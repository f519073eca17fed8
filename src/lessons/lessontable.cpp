#include "lessontable.h"

#include "platform/runtimeerror.h"

LessonTable::LessonTable(int entries) : rows_(static_cast<size_t>(entries), LessonEntry{}) {}

void LessonTable::check(int entry, int position) const
{
    if (entry < 0 || entry >= entries() || position < 0 || position >= kValuesPerEntry)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange,
                           QStringLiteral("lesson table entry %1, position %2 (entries 0 to %3)")
                               .arg(entry)
                               .arg(position)
                               .arg(entries() - 1));
}

int16_t LessonTable::operator()(int entry, int position) const
{
    check(entry, position);
    return rows_[static_cast<size_t>(entry)][static_cast<size_t>(position)];
}

void LessonTable::set(int entry, int position, int16_t value)
{
    check(entry, position);
    rows_[static_cast<size_t>(entry)][static_cast<size_t>(position)] = value;
}

const LessonEntry& LessonTable::entry(int entry) const
{
    check(entry, 0);
    return rows_[static_cast<size_t>(entry)];
}
