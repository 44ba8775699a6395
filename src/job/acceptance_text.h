#pragma once
// The texts the tool, the window and the report show for the acceptance of a job: the vibration
// over the runs against the limit, the verdict, the balance-grade check. Numbers with the job's
// decimal separator.
#include <string>
#include <string_view>
#include <vector>

#include "acceptance.h"
#include "iso_check.h"
#include "job_result.h"

namespace balance4::job {

// Four significant digits, at least one decimal, thousands grouped by no-break spaces:
// «12,03», «6,016», «28 647,9».
std::string UnbalanceText(double value, std::string_view separator);

// «G 6,3».
std::string GradeText(double grade, std::string_view separator);

// «Допуск ISO 21940-11, G 2,5: выполнен» (or «не выполнен»).
std::string IsoVerdictText(double grade, bool within, std::string_view separator);

// The permissible unbalance, and with a check its residuals and verdict, one line each.
std::vector<std::string> IsoLines(const IsoSetup& setup, const PermissibleUnbalance& limit,
                                  const IsoCheck* check, std::string_view separator);

// «Допуск ISO 21940-11 не проверен: причина.»
std::string IsoNotCheckedText(std::string_view problem);

// «пуск 0», «контрольный пуск 2», «прогноз».
std::string RunName(const RunVibration& run);

// «в норме» / «выше нормы».
std::string_view PointWord(bool above);

// The vibration by run as a table of texts: a header row («Пуск», «точка 1», …), a row per run
// (amplitudes, «—» where a run could not be read), then with a limit the rows «Норма» and
// «Оценка» (the judged run's word per point).
std::vector<std::vector<std::string>> VibrationTable(const Acceptance& acceptance,
                                                     std::string_view separator);

// Before and after per point, for a summary: a header row («Точка», «пуск 0», the last control
// run's name or «после», «прогноз», «норма», «оценка») and a row per point; «—» where a value is
// missing.
std::vector<std::vector<std::string>> BeforeAfterTable(const Acceptance& acceptance,
                                                       std::string_view separator);

// «Итог: вибрация в норме во всех точках (контрольный пуск 1).», «Итог: вибрация выше нормы в
// точках 1, 3 (пуск 0).»; empty without a limit.
std::string VerdictText(const Acceptance& acceptance);

// What stands in place of the verdict when no limit is given.
std::string_view NoVerdictText();

// «Коэффициенты влияния уточнены по 5 пускам (пробным и контрольным); изменение — ниже.», with
// a second sentence counting the control runs left out as repeats of a run already fitted.
std::string RefinementText(const Refinement& refinement);

// The change of each coefficient in %: a header row («Изменение, %», «плоскость 1», …) and a row
// per point («точка 1», …).
std::vector<std::vector<std::string>> RefinementTable(const Refinement& refinement,
                                                      std::string_view separator);

}  // namespace balance4::job
