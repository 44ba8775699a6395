#include <nlohmann/json.hpp>
#include <ostream>

#include "acceptance_text.h"
#include "cli_text.h"
#include "iso_check.h"
#include "job_file.h"
#include "subcommands.h"

namespace balance4::cli {

namespace {

// The job file's rotor, with what the command line gives over it.
job::IsoSetup RotorOf(const Options& options, const job::Job* job) {
    job::IsoSetup setup = job && job->Iso ? *job->Iso : job::IsoSetup{};
    if (options.RotorMass) setup.RotorMass = *options.RotorMass;
    if (options.Speed) setup.Speed = *options.Speed;
    if (options.Grade) setup.Grade = *options.Grade;
    if (options.Levers) setup.Levers = *options.Levers;
    return setup;
}

std::string Json(const job::PermissibleUnbalance& limit, const job::IsoCheck* check) {
    using Json = nlohmann::ordered_json;
    Json json;
    json["command"] = "iso";
    json["u_per_gmm"] = limit.Total;
    json["e_per_gmm_per_kg"] = limit.PerKilogram;
    json["bearing_a_gmm"] = limit.BearingA;
    json["bearing_b_gmm"] = limit.BearingB;
    if (check) {
        json["whole_rotor"] = check->WholeRotor;
        json["residual_a_gmm"] = check->ResidualA;
        json["residual_b_gmm"] = check->WholeRotor ? Json() : Json(check->ResidualB);
        json["within"] = check->Within;
    }
    return json.dump(2) + "\n";
}

}  // namespace

int RunIso(const Options& options, std::ostream& out, std::ostream& err) {
    constexpr std::string_view kName = "balance4-calc iso: ";
    std::string error;
    std::optional<job::Job> job;
    if (!options.JobFile.empty()) {
        job = job::LoadJobFile(options.JobFile, error);
        if (!job) {
            err << kName << error << "\n";
            return 2;
        }
    }
    const job::IsoSetup setup = RotorOf(options, job ? &*job : nullptr);
    const std::optional<job::PermissibleUnbalance> limit = job::Permissible(setup, error);
    if (!limit) {
        err << kName << error << "\n";
        return 2;
    }
    std::optional<job::IsoCheck> check;
    if (job) {
        const std::optional<std::vector<job::Weight>> remaining =
            job::RemainingCorrection(*job, error);
        if (remaining) check = job::CheckIso(*job, setup, *remaining, error);
        if (!check) {
            err << kName << error << "\n";
            return remaining ? 2 : 1;  // a job that does not calculate, as `job` reports it
        }
    }
    if (!options.SaveJob.empty()) {
        job->Iso = setup;
        if (!job::SaveJobFile(options.SaveJob, *job, error)) {
            err << kName << error << "\n";
            return 2;
        }
    }
    if (options.Json) {
        out << Json(*limit, check ? &*check : nullptr);
        return 0;
    }
    const std::string separator = !options.Separator.empty() ? options.Separator
                                  : job                      ? job->Separator
                                                             : LocaleSeparator();
    for (const std::string& line :
         job::IsoLines(setup, *limit, check ? &*check : nullptr, separator))
        out << line << "\n";
    return 0;
}

}  // namespace balance4::cli
