#include "plane_dependence.h"

#include <algorithm>
#include <set>

namespace balance4::job {

std::vector<std::vector<int>> PlanesActingAlike(const ComplexMatrix& influence) {
    if (influence.cols() < 2 || !influence.allFinite()) return {};
    ComplexMatrix scaled = influence;
    for (Eigen::Index k = 0; k < scaled.cols(); ++k) {
        const long double norm = scaled.col(k).norm();
        if (!(norm > 0.0L)) return {};  // a run that changed nothing: no solution at all
        scaled.col(k) /= norm;
    }
    const Eigen::JacobiSVD<ComplexMatrix> svd(scaled, Eigen::ComputeThinV);
    const auto& values = svd.singularValues();
    std::vector<std::set<int>> groups;
    for (Eigen::Index i = values.size() - 1; i > 0; --i) {
        if (!(values(0) > kAlikeCondition * values(i))) break;
        std::set<int> group;
        for (Eigen::Index k = 0; k < scaled.cols(); ++k)
            if (std::abs(svd.matrixV()(k, i)) >= kAlikeShare) group.insert(static_cast<int>(k) + 1);
        if (group.size() < 2) continue;
        // Planes named by two small singular values form one group.
        for (auto other = groups.begin(); other != groups.end();) {
            const bool overlaps = std::any_of(other->begin(), other->end(),
                                              [&](int plane) { return group.contains(plane); });
            if (!overlaps) {
                ++other;
                continue;
            }
            group.insert(other->begin(), other->end());
            other = groups.erase(other);
        }
        groups.push_back(group);
    }
    std::vector<std::vector<int>> named;
    for (const std::set<int>& group : groups) named.emplace_back(group.begin(), group.end());
    std::sort(named.begin(), named.end());
    return named;
}

std::string PlanesActingAlikeMessage(const std::vector<int>& planes) {
    std::string list;
    for (std::size_t i = 0; i < planes.size(); ++i)
        list += (i == 0 ? "" : i + 1 == planes.size() ? " и " : ", ") + std::to_string(planes[i]);
    return "Плоскости " + list + " действуют почти одинаково: уберите одну или переставьте датчики";
}

}  // namespace balance4::job
