#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// One record of a lesson table: the picture numbers of the 36 fretboard
// cells (positions 0 to 35), the fret-number picture (36) and the label
// place (37).
constexpr int kValuesPerEntry = 38;
constexpr int kCellCount = 36;
constexpr int kMarkerFretPosition = 36;
constexpr int kMarkerSlotPosition = 37;

using LessonEntry = std::array<int16_t, kValuesPerEntry>;

// A fixed-size lesson table addressed as table(entry, position). Every
// value is zero until its loader writes it; the size never changes.
// An entry or position outside the table is Subscript out of range.
class LessonTable
{
public:
    explicit LessonTable(int entries);

    int entries() const { return static_cast<int>(rows_.size()); }
    int16_t operator()(int entry, int position) const
    {
        check(entry, position);
        return rows_[static_cast<size_t>(entry)][static_cast<size_t>(position)];
    }
    void set(int entry, int position, int16_t value)
    {
        check(entry, position);
        rows_[static_cast<size_t>(entry)][static_cast<size_t>(position)] = value;
    }
    LessonEntry& row(int entry)
    {
        check(entry, 0);
        return rows_[static_cast<size_t>(entry)];
    }
    const LessonEntry& row(int entry) const
    {
        check(entry, 0);
        return rows_[static_cast<size_t>(entry)];
    }

private:
    void check(int entry, int position) const
    {
        if (entry < 0 || entry >= entries() || position < 0 || position >= kValuesPerEntry)
            outOfRange(entry, position);
    }
    [[noreturn]] void outOfRange(int entry, int position) const;
    std::vector<LessonEntry> rows_;
};
