// Putting a weight onto holes or listed positions.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "positions.h"
#include "split.h"

namespace balance4::job {
namespace {

struct Part {
    int Number;
    double Mass;
};

struct SplitRow {
    const char* Name;
    double Mass;
    double Angle;
    std::vector<Position> Positions;
    bool Refused;
    bool Warned;
    std::vector<Part> Parts;
};

std::vector<Position> Listed(std::vector<double> angles) {
    std::vector<Position> positions;
    for (std::size_t k = 0; k < angles.size(); ++k)
        positions.push_back({static_cast<int>(k + 1), angles[k]});
    return positions;
}

double Sin(double degrees) {
    return std::sin(degrees * std::numbers::pi / 180.0);
}

TEST(Split, Table) {
    const std::vector<SplitRow> rows = {
        {"between holes 10 and 11 of 12",
         6.73,
         282.20,
         EquallySpaced(12),
         false,
         false,
         {{10, 6.73 * Sin(17.80) / Sin(30)}, {11, 6.73 * Sin(12.20) / Sin(30)}}},
        {"neighbours at 300° and 30° straddle 0°",
         10,
         350,
         Listed({300, 30, 150}),
         false,
         false,
         {{1, 10 * Sin(40) / Sin(90)}, {2, 10 * Sin(50) / Sin(90)}}},
        {"0,004° past hole 4 is on it", 10, 90.004, EquallySpaced(12), false, false, {{4, 10}}},
        // Catches an on-position window widened to half a degree.
        {"0,4° past hole 4 is not on it",
         10,
         90.4,
         EquallySpaced(12),
         false,
         false,
         {{4, 10 * Sin(29.6) / Sin(30)}, {5, 10 * Sin(0.4) / Sin(30)}}},
        {"a part that would show as 0,00 is left out",
         0.5,
         90.2,
         EquallySpaced(12),
         false,
         false,
         {{4, 0.5 * Sin(29.8) / Sin(30)}}},
        {"two opposite holes are refused", 10, 45, EquallySpaced(2), true, false, {}},
        {"neighbours 200° apart are refused", 10, 100, Listed({0, 200}), true, false, {}},
        {"neighbours 130° apart are warned",
         10,
         60,
         Listed({0, 130, 250}),
         false,
         true,
         {{1, 10 * Sin(70) / Sin(130)}, {2, 10 * Sin(60) / Sin(130)}}},
        {"no weight, no parts", 0, 17, EquallySpaced(4), false, false, {}},
        // Catch a tie rule that takes a position as lying before the weight only when strictly
        // before it: the weight on a hole is then refused.
        {"exactly on hole 1 of 4", 10, 0, EquallySpaced(4), false, false, {{1, 10}}},
        {"exactly on hole 2 of 4 at 90°", 10, 90, EquallySpaced(4), false, false, {{2, 10}}},
    };
    for (const SplitRow& row : rows) {
        const SplitResult split = Split(row.Mass, row.Angle, row.Positions);
        EXPECT_EQ(split.Refused, row.Refused) << row.Name;
        EXPECT_EQ(!split.Warning.empty(), row.Warned) << row.Name;
        ASSERT_EQ(split.Parts.size(), row.Parts.size()) << row.Name;
        for (std::size_t i = 0; i < row.Parts.size(); ++i) {
            EXPECT_EQ(split.Parts[i].At.Number, row.Parts[i].Number) << row.Name;
            EXPECT_NEAR(split.Parts[i].Mass, row.Parts[i].Mass, 1e-9) << row.Name;
        }
    }
}

// The one rule for where weights can go, as a plane holds it and as it is typed.
TEST(Positions, Table) {
    struct Row {
        const char* Name;
        int Holes;
        std::vector<double> Angles;
        bool Usable;
    };
    const std::vector<Row> rows = {
        {"none", 0, {}, true},
        {"two holes", 2, {}, true},
        {"as many holes as allowed", kMaxHoles, {}, true},
        {"one hole", 1, {}, false},
        {"one hole past the limit", kMaxHoles + 1, {}, false},
        {"a million and one holes", 1000001, {}, false},
        {"a single position", 0, {90}, false},
        {"two positions", 0, {0, 360 - 0.02}, true},
        {"0° and 360° are one place", 0, {0, 90, 360}, false},
        {"an angle of 400°", 0, {0, 400}, false},
        {"a negative angle", 0, {-10, 90}, false},
        {"an angle not a number", 0, {0, NAN}, false},
        {"holes and a list", 12, {0, 90}, false},
    };
    for (const Row& row : rows) {
        PlaneSetup plane;
        plane.Holes = row.Holes;
        plane.Positions = row.Angles;
        const std::optional<std::string> problem = PositionsProblem(plane);
        EXPECT_EQ(!problem, row.Usable) << row.Name << ": " << problem.value_or("");
    }

    struct TextRow {
        const char* Text;
        const char* Separator;
        bool Read;
        int Holes;
        std::vector<double> Angles;
    };
    const std::vector<TextRow> texts = {
        {"", ",", true, 0, {}},
        {" 12 ", ",", true, 12, {}},
        {"0; 45,5; 90", ",", true, 0, {0, 45.5, 90}},
        {"0;45.25;300", ",", true, 0, {0, 45.25, 300}},
        {"0; 0.0625; 90.125", ".", true, 0, {0, 0.0625, 90.125}},
        {"1", ",", false, 0, {}},
        {"90,5", ",", false, 0, {}},
        {"0, 90, 180", ".", false, 0, {}},
        {"0; x", ",", false, 0, {}},
    };
    for (const TextRow& row : texts) {
        PlaneSetup plane;
        plane.Holes = 7;  // kept when the text is refused
        std::string error;
        EXPECT_EQ(ParsePositionsText(row.Text, row.Separator, plane, error), row.Read) << row.Text;
        EXPECT_EQ(error.empty(), row.Read) << row.Text << ": " << error;
        if (!row.Read) {
            EXPECT_EQ(plane.Holes, 7) << row.Text;
            continue;
        }
        EXPECT_EQ(plane.Holes, row.Holes) << row.Text;
        EXPECT_EQ(plane.Positions, row.Angles) << row.Text;
        PlaneSetup again;
        EXPECT_TRUE(
            ParsePositionsText(PositionsText(plane, row.Separator), row.Separator, again, error))
            << PositionsText(plane, row.Separator);
        EXPECT_EQ(again, plane) << row.Text;
    }
}

}  // namespace
}  // namespace balance4::job
