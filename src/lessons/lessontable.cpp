#include "lessontable.h"

#include "platform/runtimeerror.h"

LessonTable::LessonTable(int entries) : rows_(static_cast<size_t>(entries), LessonEntry{}) {}

void LessonTable::outOfRange(int entry, int position) const
{
    throw RuntimeError(ErrorNumber::SubscriptOutOfRange,
                           QStringLiteral("lesson table entry %1, position %2 (entries 0 to %3)")
                               .arg(entry)
                               .arg(position)
                               .arg(entries() - 1));
}
