#pragma once
#include <array>
#include <string>
#include <string_view>

namespace balance4 {

enum class ReadingKind { Amplitude, Phase };

// One of the 40 reading fields of the calculator window.
struct ReadingField {
    std::string_view Name;  // the control's name, e.g. "EditV10", "Editv41"
    int Plane;              // 1..4
    int Run;                // run index 0..4 (the window shows run number Run + 1)
    ReadingKind Kind;
    std::string_view DefaultText;  // the built-in example reading
};

inline constexpr int kReadingFieldCount = 40;

// The fields in visiting order: plane by plane, run by run, amplitude before phase. This is also
// the order of the messages and of the tab-separated records of the command-line tool. This table
// is the one list of the fields' names, which are stable ids: the window's controls carry them and
// tests and scripts find a field by them, so a name never changes.
extern const std::array<ReadingField, kReadingFieldCount> kReadingFields;

enum class FieldFailure {
    Unreadable,  // not a number, empty, or too large for a double: the stored value stays
    Negative,    // stored, but below zero
};

// "Неверно задан Vo1, пуск 1" (+ " !!!" for a negative value).
std::string FailureMessage(const ReadingField& field, FieldFailure failure);

inline constexpr std::string_view kNoDataText = "н.д.";
inline constexpr std::string_view kInvalidTrialMassMessage = "Некорректная масса пробных грузов";

// Result labels in the order they are written.
inline constexpr int kResultLabelCount = 8;
inline constexpr std::array<std::string_view, kResultLabelCount> kResultLabelNames = {
    "LabelM1", "LabelM2", "LabelM3", "LabelM4", "LabelF1", "LabelF2", "LabelF3", "LabelF4"};

}  // namespace balance4
