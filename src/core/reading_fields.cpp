#include "reading_fields.h"

namespace balance4 {

namespace {
constexpr auto A = ReadingKind::Amplitude;
constexpr auto F = ReadingKind::Phase;
}  // namespace

// Three amplitude fields are spelled with a small v; the names are the controls' names.
const std::array<ReadingField, kReadingFieldCount> kReadingFields = {{
    {"EditV10", 1, 0, A, "7,2"}, {"EditF10", 1, 0, F, "238"},  {"EditV11", 1, 1, A, "4,9"},
    {"EditF11", 1, 1, F, "79"},  {"EditV12", 1, 2, A, "4"},    {"EditF12", 1, 2, F, "114"},
    {"EditV13", 1, 3, A, "8,2"}, {"EditF13", 1, 3, F, "123"},  {"EditV14", 1, 4, A, "18,2"},
    {"EditF14", 1, 4, F, "223"}, {"EditV20", 2, 0, A, "13,5"}, {"EditF20", 2, 0, F, "269"},
    {"EditV21", 2, 1, A, "9,2"}, {"EditF21", 2, 1, F, "347"},  {"EditV22", 2, 2, A, "12"},
    {"EditF22", 2, 2, F, "293"}, {"EditV23", 2, 3, A, "9,7"},  {"EditF23", 2, 3, F, "231"},
    {"EditV24", 2, 4, A, "4,1"}, {"EditF24", 2, 4, F, "118"},  {"EditV30", 3, 0, A, "3,5"},
    {"EditF30", 3, 0, F, "128"}, {"EditV31", 3, 1, A, "2,7"},  {"EditF31", 3, 1, F, "251"},
    {"EditV32", 3, 2, A, "6,3"}, {"EditF32", 3, 2, F, "356"},  {"EditV33", 3, 3, A, "9,5"},
    {"EditF33", 3, 3, F, "43"},  {"Editv34", 3, 4, A, "19,5"}, {"EditF34", 3, 4, F, "307"},
    {"EditV40", 4, 0, A, "2,5"}, {"EditF40", 4, 0, F, "12"},   {"Editv41", 4, 1, A, "12,7"},
    {"EditF41", 4, 1, F, "32"},  {"Editv42", 4, 2, A, "1,4"},  {"EditF42", 4, 2, F, "195"},
    {"EditV43", 4, 3, A, "3,5"}, {"EditF43", 4, 3, F, "302"},  {"EditV44", 4, 4, A, "8,1"},
    {"EditF44", 4, 4, F, "37"},
}};

std::string FailureMessage(const ReadingField& field, FieldFailure failure) {
    std::string message = "Неверно задан ";
    message += field.Kind == ReadingKind::Amplitude ? "Vo" : "Fo";
    message += static_cast<char>('0' + field.Plane);
    message += ", пуск ";
    message += static_cast<char>('0' + field.Run + 1);
    if (failure == FieldFailure::Negative) message += " !!!";
    return message;
}

}  // namespace balance4
