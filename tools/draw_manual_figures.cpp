// Draws the manual's figures as SVG:
//   balance4_draw_manual_figures <output folder>
// writes angle_rule.svg, from the program's own result for the built-in example: the disc of
// plane 1 seen from one end, the phase mark, the direction in which the instrument
// counts phase, the trial weight's place (0°) and the correction at the shown angle, counted the
// other way, and the rotation; setup.svg: where the four planes and the four measuring points are;
// card_rule.svg: the same rule without numbers, for the quick-reference card. Run by the build, so
// the angle figure always shows what F9 shows for the example.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <string_view>

#include "balancing_calculator.h"
#include "reading_fields.h"

namespace {

using namespace balance4;

constexpr double kCentreX = 300;
constexpr double kCentreY = 250;
constexpr double kDisc = 150;
constexpr std::string_view kFont = "Liberation Sans, DejaVu Sans, sans-serif";

// The example's result texts in window order (LabelM1..LabelM4, LabelF1..LabelF4), comma decimals.
bool ExampleResults(PressResult& result) {
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    ReadingTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = kReadingFields[i].DefaultText;
    result = calculator.Press(texts, ",");
    return result.Outcome == PressOutcome::Calculated;
}

// "282,20" -> 28220 (hundredths), so that 360° minus it is exact in the drawing's labels.
long Hundredths(const std::string& text) {
    long value = 0;
    for (char c : text)
        if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
    return value;
}

std::string FromHundredths(long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%ld,%02ld", value / 100, value % 100);
    return text;
}

// A point at `radius` from the centre, `degrees` clockwise from the top of the drawing.
struct Point {
    double X, Y;
};
Point At(double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return {kCentreX + radius * std::sin(a), kCentreY - radius * std::cos(a)};
}

std::string Num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

// An arc at `radius` from `from` to `to` degrees (clockwise from the top); clockwise when
// `clockwise`, otherwise counter-clockwise, the long way round if need be.
std::string Arc(double radius, double from, double to, bool clockwise, std::string_view style,
                std::string_view arrowColour = "") {
    const Point a = At(radius, from);
    const Point b = At(radius, to);
    double sweep = clockwise ? to - from : from - to;
    while (sweep < 0) sweep += 360;
    std::ostringstream out;
    out << "<path d=\"M " << Num(a.X) << ' ' << Num(a.Y) << " A " << Num(radius) << ' '
        << Num(radius) << " 0 " << (sweep > 180 ? 1 : 0) << ' ' << (clockwise ? 1 : 0) << ' '
        << Num(b.X) << ' ' << Num(b.Y) << "\" fill=\"none\" " << style << "/>\n";
    if (!arrowColour.empty()) {
        // An arrowhead at the end, along the arc's tangent there.
        const double a = to * std::numbers::pi / 180.0;
        const double sign = clockwise ? 1.0 : -1.0;
        const double tx = sign * std::cos(a), ty = sign * std::sin(a);
        const double length = 14, half = 6;
        const Point left{b.X - length * tx - half * ty, b.Y - length * ty + half * tx};
        const Point right{b.X - length * tx + half * ty, b.Y - length * ty - half * tx};
        out << "<path d=\"M " << Num(b.X + 2 * tx) << ' ' << Num(b.Y + 2 * ty) << " L "
            << Num(left.X) << ' ' << Num(left.Y) << " L " << Num(right.X) << ' ' << Num(right.Y)
            << " z\" fill=\"" << arrowColour << "\"/>\n";
    }
    return out.str();
}

std::string Text(double x, double y, std::string_view text, std::string_view anchor = "middle",
                 std::string_view extra = "") {
    std::ostringstream out;
    out << "<text x=\"" << Num(x) << "\" y=\"" << Num(y) << "\" text-anchor=\"" << anchor << "\" "
        << extra << ">" << text << "</text>\n";
    return out.str();
}

std::string AngleRuleSvg(const std::string& shownText) {
    const double shown = Hundredths(shownText) / 100.0;
    const std::string phaseWay = FromHundredths(36000 - Hundredths(shownText));
    const double correction = 360.0 - shown;  // its place, clockwise (the phase direction) from 0
    const double phaseMark = 300.0;           // anywhere but the trial weight's place

    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"600\" height=\"470\" "
           "viewBox=\"0 0 600 470\" font-family=\""
        << kFont << "\" font-size=\"15\">\n";
    // The disc, its shaft and the zero line through the trial weight's place.
    svg << "<circle cx=\"" << kCentreX << "\" cy=\"" << kCentreY << "\" r=\"" << kDisc
        << "\" fill=\"#eef1f5\" stroke=\"#333\" stroke-width=\"2\"/>\n";
    svg << "<circle cx=\"" << kCentreX << "\" cy=\"" << kCentreY
        << "\" r=\"22\" fill=\"#c8ccd2\" stroke=\"#333\" stroke-width=\"1.5\"/>\n";
    const Point zero = At(kDisc - 18, 0);
    svg << "<line x1=\"" << kCentreX << "\" y1=\"" << kCentreY << "\" x2=\"" << Num(zero.X)
        << "\" y2=\"" << Num(zero.Y) << "\" stroke=\"#333\" stroke-dasharray=\"5 4\"/>\n";

    // The phase mark on the rim.
    const Point m1 = At(kDisc - 10, phaseMark);
    const Point m2 = At(kDisc + 10, phaseMark);
    svg << "<line x1=\"" << Num(m1.X) << "\" y1=\"" << Num(m1.Y) << "\" x2=\"" << Num(m2.X)
        << "\" y2=\"" << Num(m2.Y) << "\" stroke=\"#000\" stroke-width=\"6\"/>\n";
    const Point markLabel = At(kDisc + 24, phaseMark);
    svg << Text(markLabel.X - 4, markLabel.Y - 16, "отметка фазы", "end");
    svg << Text(markLabel.X - 4, markLabel.Y + 2, "(не точка отсчёта угла)", "end",
                "font-size=\"13\" fill=\"#555\"");

    // The trial weight's place: the zero of the angle.
    const Point trial = At(kDisc - 18, 0);
    svg << "<rect x=\"" << Num(trial.X - 9) << "\" y=\"" << Num(trial.Y - 9)
        << "\" width=\"18\" height=\"18\" fill=\"#fff\" stroke=\"#000\" stroke-width=\"2.5\"/>\n";
    svg << Text(kCentreX, 46, "0° — место пробного груза", "middle", "font-weight=\"bold\"");
    svg << Text(kCentreX, 64, "(перед установкой корректирующего груза снят)", "middle",
                "font-size=\"13\" fill=\"#555\"");

    // The direction in which the instrument counts phase, and the rotation, which for the usual
    // instrument (phase = lag of the peak after the mark's pulse) runs the other way.
    svg << Arc(kDisc + 30, 200, 245, true, "stroke=\"#1f4e9c\" stroke-width=\"3\"", "#1f4e9c");
    const Point phaseLabel = At(kDisc + 40, 222);
    svg << Text(phaseLabel.X - 6, phaseLabel.Y - 4, "направление", "end", "fill=\"#1f4e9c\"");
    svg << Text(phaseLabel.X - 6, phaseLabel.Y + 14, "отсчёта фазы", "end", "fill=\"#1f4e9c\"");
    svg << Text(phaseLabel.X - 6, phaseLabel.Y + 32, "прибором", "end", "fill=\"#1f4e9c\"");
    svg << Arc(kDisc + 30, 160, 115, false, "stroke=\"#000\" stroke-width=\"3\"", "#000");
    const Point rotationLabel = At(kDisc + 40, 140);
    svg << Text(rotationLabel.X + 6, rotationLabel.Y + 4, "направление", "start",
                "font-weight=\"bold\"");
    svg << Text(rotationLabel.X + 6, rotationLabel.Y + 22, "вращения", "start",
                "font-weight=\"bold\"");

    // The shown angle, counted from 0 against the phase direction, that is with the rotation (the
    // long way here). Its label sits well inside the arc.
    svg << Arc(kDisc - 45, 0, correction, false, "stroke=\"#c00000\" stroke-width=\"3\"",
               "#c00000");
    svg << Text(kCentreX, kCentreY + 52, ("F1 = " + shownText + "°").c_str(), "middle",
                "font-weight=\"bold\" fill=\"#c00000\" font-size=\"17\"");
    svg << Text(kCentreX, kCentreY + 70, "по вращению", "middle",
                "fill=\"#c00000\" font-size=\"13\"");

    // The same place, counted in the phase direction.
    svg << Arc(kDisc - 70, 0, correction, true,
               "stroke=\"#1f4e9c\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"");
    const Point dashed = At(kDisc - 100, correction * 0.45);
    svg << Text(dashed.X, dashed.Y + 6, (phaseWay + "°").c_str(), "middle",
                "fill=\"#1f4e9c\" font-size=\"13\"");

    // The correction weight.
    const Point weight = At(kDisc - 18, correction);
    svg << "<line x1=\"" << kCentreX << "\" y1=\"" << kCentreY << "\" x2=\"" << Num(weight.X)
        << "\" y2=\"" << Num(weight.Y) << "\" stroke=\"#c00000\" stroke-dasharray=\"5 4\"/>\n";
    svg << "<circle cx=\"" << Num(weight.X) << "\" cy=\"" << Num(weight.Y)
        << "\" r=\"11\" fill=\"#c00000\" stroke=\"#000\" stroke-width=\"1.5\"/>\n";
    const Point weightLabel = At(kDisc + 18, correction);
    svg << Text(weightLabel.X + 4, weightLabel.Y - 8, "корректирующий", "start",
                "font-weight=\"bold\"");
    svg << Text(weightLabel.X + 4, weightLabel.Y + 10, "груз", "start", "font-weight=\"bold\"");

    svg << Text(
        kCentreX, 458,
        ("То же место по направлению отсчёта фазы: 360° − " + shownText + "° = " + phaseWay + "°")
            .c_str(),
        "middle", "fill=\"#1f4e9c\" font-size=\"14\"");
    svg << "</svg>\n";
    return svg.str();
}

// The angle rule for the quick-reference card, without numbers: the rotation, the trial weight's
// place, the angle F laid off from it with the rotation, and the phase growing the other way.
std::string CardRuleSvg() {
    constexpr double kCardDisc = 110;
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"440\" height=\"360\" "
           "viewBox=\"85 80 440 360\" font-family=\""
        << kFont << "\" font-size=\"15\">\n";
    svg << "<circle cx=\"" << kCentreX << "\" cy=\"" << kCentreY << "\" r=\"" << kCardDisc
        << "\" fill=\"#eef1f5\" stroke=\"#333\" stroke-width=\"2\"/>\n";
    svg << "<circle cx=\"" << kCentreX << "\" cy=\"" << kCentreY
        << "\" r=\"16\" fill=\"#c8ccd2\" stroke=\"#333\" stroke-width=\"1.5\"/>\n";
    const Point trial = At(kCardDisc - 16, 0);
    svg << "<rect x=\"" << Num(trial.X - 8) << "\" y=\"" << Num(trial.Y - 8)
        << "\" width=\"16\" height=\"16\" fill=\"#fff\" stroke=\"#000\" stroke-width=\"2.5\"/>\n";
    svg << Text(kCentreX, 126, "место пробного груза", "middle", "font-weight=\"bold\"");

    constexpr double kPlace = 250;  // F = 110°, laid off with the rotation (counter-clockwise here)
    svg << Arc(kCardDisc - 36, 0, kPlace, false, "stroke=\"#c00000\" stroke-width=\"3\"",
               "#c00000");
    const Point label = At(kCardDisc - 62, 320);
    svg << Text(label.X, label.Y + 7, "F", "middle",
                "font-weight=\"bold\" fill=\"#c00000\" font-size=\"22\"");
    const Point weight = At(kCardDisc - 16, kPlace);
    svg << "<circle cx=\"" << Num(weight.X) << "\" cy=\"" << Num(weight.Y)
        << "\" r=\"10\" fill=\"#c00000\" stroke=\"#000\" stroke-width=\"1.5\"/>\n";

    svg << Arc(kCardDisc + 20, 130, 65, false, "stroke=\"#000\" stroke-width=\"3\"", "#000");
    const Point rotation = At(kCardDisc + 30, 100);
    svg << Text(rotation.X + 4, rotation.Y + 5, "вращение", "start", "font-weight=\"bold\"");
    svg << Arc(kCardDisc + 20, 195, 245, true, "stroke=\"#1f4e9c\" stroke-width=\"2.5\"",
               "#1f4e9c");
    const Point phase = At(kCardDisc + 30, 222);
    svg << Text(phase.X - 4, phase.Y + 2, "фаза", "end", "fill=\"#1f4e9c\"");
    svg << Text(phase.X - 4, phase.Y + 18, "растёт", "end", "fill=\"#1f4e9c\"");

    svg << Text(kCentreX, 408, "F — от места пробного груза по вращению", "middle",
                "font-weight=\"bold\" fill=\"#c00000\"");
    svg << Text(kCentreX, 428, "(прибор, у которого фаза растёт против вращения)", "middle",
                "font-size=\"13\" fill=\"#555\"");
    svg << "</svg>\n";
    return svg.str();
}

// A side view of a rotor on four supports: the four correction planes (discs) and the four
// measuring points (sensors on the bearing housings), the phase mark and its sensor.
std::string SetupSvg() {
    constexpr int kSupports[] = {70, 235, 405, 570};
    constexpr int kPlanes[] = {125, 180, 460, 515};
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"240\" "
           "viewBox=\"0 0 640 240\" font-family=\""
        << kFont << "\" font-size=\"14\">\n";
    svg << "<line x1=\"10\" y1=\"226\" x2=\"630\" y2=\"226\" stroke=\"#333\" "
           "stroke-width=\"2\"/>\n";
    for (int i = 0; i < 4; ++i) {
        const int x = kSupports[i];
        svg << "<rect x=\"" << x - 20 << "\" y=\"136\" width=\"40\" height=\"90\" "
            << "fill=\"#c8ccd2\" stroke=\"#333\"/>\n";
        svg << "<rect x=\"" << x - 26 << "\" y=\"104\" width=\"52\" height=\"34\" rx=\"6\" "
            << "fill=\"#dfe3e8\" stroke=\"#333\" stroke-width=\"1.5\"/>\n";
    }
    svg << "<rect x=\"20\" y=\"113\" width=\"600\" height=\"14\" fill=\"#aab1ba\" "
           "stroke=\"#333\"/>\n";
    for (int i = 0; i < 4; ++i) {
        const int x = kPlanes[i];
        svg << "<rect x=\"" << x - 6 << "\" y=\"52\" width=\"12\" height=\"136\" "
            << "fill=\"#eef1f5\" stroke=\"#333\" stroke-width=\"1.5\"/>\n";
        svg << Text(x, 44, ("пл. " + std::to_string(i + 1)).c_str(), "middle",
                    "font-weight=\"bold\"");
    }
    for (int i = 0; i < 4; ++i) {
        const int x = kSupports[i];
        svg << "<rect x=\"" << x - 7 << "\" y=\"82\" width=\"14\" height=\"22\" "
            << "fill=\"#1f4e9c\"/>\n";
        svg << Text(x, 74, ("точка " + std::to_string(i + 1)).c_str(), "middle",
                    "fill=\"#1f4e9c\" font-weight=\"bold\"");
    }
    // The phase mark on the shaft and the sensor that sees it.
    svg << "<rect x=\"318\" y=\"113\" width=\"6\" height=\"14\" fill=\"#000\"/>\n";
    svg << "<rect x=\"313\" y=\"84\" width=\"16\" height=\"20\" fill=\"#444\"/>\n";
    svg << Text(321, 62, "датчик отметки", "middle", "font-size=\"13\"");
    svg << Text(321, 77, "фазы", "middle", "font-size=\"13\"");
    svg << Text(321, 148, "метка", "middle", "font-size=\"13\"");
    svg << "</svg>\n";
    return svg.str();
}

bool Write(const std::string& path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    if (out.flush()) return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    PressResult result;
    if (!ExampleResults(result)) {
        std::fprintf(stderr, "the built-in example gave no result\n");
        return 1;
    }
    const std::string folder = argv[1];
    const bool written = Write(folder + "/angle_rule.svg", AngleRuleSvg(result.Texts[4])) &&
                         Write(folder + "/setup.svg", SetupSvg()) &&
                         Write(folder + "/card_rule.svg", CardRuleSvg());
    return written ? 0 : 1;
}
