// Assembles the user manual's HTML for typesetting (the PDF itself is made by weasyprint):
//   balance4_make_manual <manual.html> <output.html> [<fragment folder>]
// - "<!-- include: NAME -->" is replaced by the file NAME from the fragment folder, when it exists,
//   so that sections kept in their own files land in their place;
// - a <figure class="optional"> whose picture is not in the fragment folder is left out whole, so
//   that screenshots taken by other builds can be added later without a gap or a placeholder;
// - every chapter (h2) and section (h3) gets an id, and "<!-- toc -->" becomes the table of
//   contents; the numbers and page numbers are filled in by the style sheet, so a heading carries
//   no number of its own (a leading "3." or "3.1" is dropped).
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

std::string ReplaceIncludes(const std::string& html, const std::string& folder) {
    static const std::regex include(R"(<!--\s*include:\s*([A-Za-z0-9_.-]+)\s*-->)");
    std::string out;
    auto last = html.cbegin();
    for (std::sregex_iterator it(html.begin(), html.end(), include), end; it != end; ++it) {
        out.append(last, (*it)[0].first);
        std::string fragment;
        if (!folder.empty() && ReadFile(folder + "/" + (*it)[1].str(), fragment))
            out += fragment;
        else
            out += "<!-- " + (*it)[1].str() + ": not present -->";
        last = (*it)[0].second;
    }
    out.append(last, html.cend());
    return out;
}

bool FileExists(const std::string& path) {
    return static_cast<bool>(std::ifstream(path, std::ios::binary));
}

std::string DropMissingOptionalFigures(const std::string& html, const std::string& folder) {
    static const std::regex figure(
        R"re(<figure\b[^>]*\bclass="[^"]*\boptional\b[^"]*"[^>]*>[\s\S]*?</figure>\s*)re");
    static const std::regex source(R"re(<img\b[^>]*\bsrc="([^"/]+)")re");
    std::string out;
    auto last = html.cbegin();
    for (std::sregex_iterator it(html.begin(), html.end(), figure), end; it != end; ++it) {
        out.append(last, (*it)[0].first);
        const std::string block = (*it)[0].str();
        std::smatch picture;
        const bool present = std::regex_search(block, picture, source) && !folder.empty() &&
                             FileExists(folder + "/" + picture[1].str());
        out += present ? block
                       : "<!-- figure left out: " +
                             (picture.empty() ? std::string("no picture") : picture[1].str()) +
                             " not present -->\n";
        last = (*it)[0].second;
    }
    out.append(last, html.cend());
    return out;
}

std::string PlainText(const std::string& html) {
    static const std::regex tag("<[^>]*>");
    static const std::regex space(R"(\s+)");
    return std::regex_replace(std::regex_replace(html, tag, ""), space, " ");
}

struct Heading {
    int Level;
    std::string Id;
    std::string Text;
};

// Gives every h2 and h3 outside the title page an id and drops hand-written numbers; returns them.
std::string MarkHeadings(const std::string& html, std::vector<Heading>& headings) {
    static const std::regex heading(
        R"(<h([23])([^>]*)>\s*(?:\d+\.(?:\d+\.?)*\s+)?([\s\S]*?)</h\1>)");
    static const std::regex idAttribute(R"re(\bid\s*=\s*"([^"]*)")re");
    std::string out;
    auto last = html.cbegin();
    int count = 0;
    for (std::sregex_iterator it(html.begin(), html.end(), heading), end; it != end; ++it) {
        const std::smatch& m = *it;
        out.append(last, m[0].first);
        std::string attributes = m[2].str();
        const std::string body = m[3].str();
        std::smatch id;
        std::string name;
        if (std::regex_search(attributes, id, idAttribute)) {
            name = id[1].str();
        } else {
            name = "part-" + std::to_string(++count);
            attributes += " id=\"" + name + "\"";
        }
        if (attributes.find("notoc") == std::string::npos)
            headings.push_back({m[1].str()[0] - '0', name, PlainText(body)});
        out += "<h" + m[1].str() + attributes + ">" + body + "</h" + m[1].str() + ">";
        last = m[0].second;
    }
    out.append(last, html.cend());
    return out;
}

std::string TableOfContents(const std::vector<Heading>& headings) {
    std::string toc = "<ul class=\"toc\">\n";
    for (const Heading& h : headings)
        toc += "<li class=\"toc" + std::to_string(h.Level) + "\"><a href=\"#" + h.Id + "\">" +
               h.Text + "</a></li>\n";
    return toc + "</ul>";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <manual.html> <output.html> [<fragment folder>]\n",
                     argv[0]);
        return 2;
    }
    std::string html;
    if (!ReadFile(argv[1], html)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    html = ReplaceIncludes(html, argc == 4 ? argv[3] : "");
    html = DropMissingOptionalFigures(html, argc == 4 ? argv[3] : "");
    std::vector<Heading> headings;
    html = MarkHeadings(html, headings);
    const std::string marker = "<!-- toc -->";
    const std::size_t at = html.find(marker);
    if (at == std::string::npos) {
        std::fprintf(stderr, "%s has no %s\n", argv[1], marker.c_str());
        return 1;
    }
    html.replace(at, marker.size(), TableOfContents(headings));

    std::ofstream out(argv[2], std::ios::binary);
    out << html;
    if (!out.flush()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
