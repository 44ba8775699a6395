#pragma once
// Consecutive edits with the same key are one undo step, as typing into one field is. Every field
// of the window has its own key here, so that two fields edited one after the other never merge
// into one step.
enum MergeKey : int {
    kHeaderKey = 100,  // + the header field's index
    kPlanesKey = 200,
    kPointsKey,
    kConventionKey,
    kRotationKey,
    kToleranceKey,  // + the column
    kAngleFrameKey = 210,
    kReadingUnitKey,
    kObjectiveKey,
    kPerHoleKey,
    kSecondsKey,
    kAcceptanceKey = 300,  // + the «Приёмка» field
    kSpeedNameKey = 400,   // + the speed
};
