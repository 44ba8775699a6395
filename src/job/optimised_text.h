#pragma once
// The words the tool, the window and the report share about an optimised correction: the
// objective, the limits, where the worst residual is, the box of weights and how far its search
// got. Numbers with the given decimal separator.
#include <string>
#include <string_view>
#include <vector>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

// The set-up's name of an objective: «наименьшие квадраты», «наименьший наибольший остаток».
std::string_view ObjectiveChoiceName(Objective objective);

// «Цель: наименьшая сумма квадратов остаточной вибрации.» or the min-max one.
std::string_view ObjectiveSentence(Objective objective);

// The limits as a list in the order given, «—» where there is none: «3,40; —; 2,50».
std::string LimitListText(const std::vector<double>& limits, std::string_view separator);

// Some limit of the list is given (> 0).
bool AnyLimitGiven(const std::vector<double>& limits);

// Where an answer's worst residual is: «точка 3», with «, скорость 2» when there are several.
std::string WorstPlaceText(const AnswerFigures& figures, int speeds);

// The box as the option takes it: «5×4; 10×3; 20×2».
std::string BoxKindsText(const std::vector<BoxMass>& masses, std::string_view separator);

// Why one kind of the box (numbered from 1) cannot be used; empty when it can.
std::string BoxKindProblem(const BoxMass& kind, int number);

// How far the box's search got: the best placement, or the best found and the proved gap.
std::string BoxSearchText(const BoxResult& box, std::string_view separator);

}  // namespace balance4::job
