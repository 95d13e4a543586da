// tarnel-validate [--engine LIB] [--data DIR] [--out DIR] [--always-zero] [--shipped]
// Runs the validation examples through the engine library, exactly as the program runs a
// project (names.dat in the project's folder, then _ITARNEL(15)), and writes report.md and
// report.html with one table per example. Exit status 0 when every compared value is within
// its tolerance, 1 when one is not, 2 when the suite cannot run.
#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "validation.h"

namespace fs = std::filesystem;
using namespace validation;

namespace {

constexpr const char *kVersion = "2012.7.15";

std::string readText(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

fs::path programFolder()
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

// The installed layout keeps the suite in share/tarnel/validation beside lib/tarnel.
fs::path defaultData()
{
    const fs::path installed = programFolder() / "../../share/tarnel/validation";
    std::error_code ec;
    if (fs::is_regular_file(installed / "values.tsv", ec))
        return fs::weakly_canonical(installed, ec);
#ifdef TARNEL_VALIDATION_SOURCE
    return TARNEL_VALIDATION_SOURCE;
#else
    return installed;
#endif
}

class TEngineLibrary {
public:
    explicit TEngineLibrary(const fs::path &path) : m_handle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
    {
        if (!m_handle)
            throw EValidation(std::string("cannot load the engine: ") + dlerror());
        m_entry = reinterpret_cast<int (*)(int)>(dlsym(m_handle, "_ITARNEL"));
        if (!m_entry)
            throw EValidation("the engine library " + path.string() + " has no _ITARNEL");
    }
    ~TEngineLibrary() { dlclose(m_handle); }
    TEngineLibrary(const TEngineLibrary &) = delete;
    TEngineLibrary &operator=(const TEngineLibrary &) = delete;

    /// One run in a scratch folder; the run files are kept in keep/.
    TRunOutput run(const fs::path &project, const fs::path &keep)
    {
        char pattern[] = "/tmp/tarnel-validate-XXXXXX";
        if (!mkdtemp(pattern))
            throw EValidation("cannot make a scratch folder in /tmp");
        const fs::path scratch = pattern;
        const std::string base = project.stem().string();
        fs::copy_file(project, scratch / project.filename());
        {
            std::ofstream names(scratch / "names.dat");
            names << kVersion << '\n';
            for (const char *ext : {".tnd", ".tno", ".tnp", ".tnr"})
                names << (scratch / (base + ext)).string() << '\n';
        }
        // The engine reads names.dat from, and writes TZDATA.DAT into, the current folder.
        const fs::path previous = fs::current_path();
        fs::current_path(scratch);
        TRunOutput out;
        out.result = m_entry(15);
        fs::current_path(previous);
        out.report = readText(scratch / (base + ".tno"));
        out.plot = readText(scratch / (base + ".tnp"));
        fs::create_directories(keep);
        for (const char *ext : {".tnd", ".tno", ".tnp", ".tnr"})
            if (fs::exists(scratch / (base + ext)))
                fs::copy_file(scratch / (base + ext), keep / (base + ext), fs::copy_options::overwrite_existing);
        std::error_code ec;
        fs::remove_all(scratch, ec);
        return out;
    }

private:
    void *m_handle;
    int (*m_entry)(int) = nullptr;
};

std::string fixed(double v, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

int decimalsOf(const std::string &text)
{
    const auto point = text.find('.');
    return point == std::string::npos ? 1 : std::max(1, int(text.size() - point - 1));
}

std::string tolerance(const TValueRow &row)
{
    std::string t = fixed(row.tolerance * 100, 1);
    if (t.size() > 2 && t.compare(t.size() - 2, 2, ".0") == 0)
        t.resize(t.size() - 2);
    return "±" + t + " %";
}

std::string html(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string md(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (c == '|')
            out += '\\';
        out += c;
    }
    return out;
}

struct TExampleResult {
    const TExample *example;
    TRunOutput run;
    std::vector<TVerdict> verdicts;
    double agreement = -1;
    std::string agreementText;
    std::string error;
};

std::string verdictText(const TVerdict &v)
{
    if (!v.readable)
        return "NOT READ: " + v.error;
    return v.within ? "within" : "OUT";
}

std::string tarnelText(const TVerdict &v)
{
    if (!v.readable)
        return "–";
    return fixed(v.tarnel, decimalsOf(v.row->publishedText)) + (v.fromPlot ? " (plot file)" : "");
}

std::string nowText()
{
    const std::time_t t = std::time(nullptr);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", std::localtime(&t));
    return text;
}

struct TSummary {
    int compared = 0, within = 0, listed = 0, failedRuns = 0;
    bool allGood() const { return compared > 0 && compared == within && failedRuns == 0; }
    std::string text() const
    {
        std::string s = allGood() ? "All " + std::to_string(compared) + " compared values are within their tolerance"
                                  : std::to_string(compared - within) + " of " + std::to_string(compared) +
                                        " compared values are NOT within their tolerance";
        if (failedRuns)
            s += "; " + std::to_string(failedRuns) + " example(s) did not run cleanly";
        return s + " (" + std::to_string(listed) + " further values listed, not compared).";
    }
};

TSummary summarise(const std::vector<TExampleResult> &results)
{
    TSummary s;
    for (const auto &r : results) {
        if (!r.error.empty() || r.run.result != 0 || r.agreement < 0 || r.agreement > 0.01)
            ++s.failedRuns;
        for (const auto &v : r.verdicts) {
            if (!v.row->compared()) {
                ++s.listed;
                continue;
            }
            ++s.compared;
            s.within += v.within;
        }
    }
    return s;
}

std::string runLine(const TExampleResult &r)
{
    std::ostringstream s;
    s << "Project `" << r.example->name << ".tnd`; engine result " << r.run.result
      << (r.run.result == 0 ? " (completed without warning)" : " (there may be errors)") << "; run files in `runs/"
      << r.example->name << "/`. ";
    if (r.agreement >= 0)
        s << "Report and plot file agree within " << fixed(r.agreement * 100, 2) << " % (" << r.agreementText << ").";
    else
        s << "Report and plot file could not be compared: " << r.agreementText << ".";
    return s.str();
}

void writeMarkdown(std::ostream &out, const std::vector<TExampleResult> &results, const std::string &header)
{
    const TSummary summary = summarise(results);
    out << "# TARNEL validation report\n\n" << header << "\n\n**" << summary.text() << "**\n\n"
        << "A value is within tolerance when |TARNEL ÷ published − 1| does not exceed the row's tolerance. "
           "English reports print tons of 2,000 lb: values in kips are twice the report's figures. "
           "How each value is read is described in the suite's README.md; the examples' documents "
           "give the sources, the inputs and what each value means.\n";
    for (const auto &r : results) {
        out << "\n## " << r.example->title << "\n\n" << "Source: " << r.example->source << ".  \n";
        if (!r.error.empty()) {
            out << "\n**The example could not be run: " << r.error << "**\n";
            continue;
        }
        out << runLine(r) << "\n\nValues in " << r.example->unit << ".\n\n"
            << "| Quantity | Published | TARNEL | Ratio | Tolerance | Verdict |\n|---|---:|---:|---:|---:|---|\n";
        std::vector<const TVerdict *> notes, listed;
        for (const auto &v : r.verdicts) {
            if (!v.row->compared()) {
                listed.push_back(&v);
                continue;
            }
            out << "| " << md(v.row->quantity) << " | " << v.row->publishedText << " | " << tarnelText(v) << " | "
                << (v.readable ? fixed(v.ratio, 4) : "–") << " | " << tolerance(*v.row) << " | "
                << (v.readable && v.within ? "within" : "**" + md(verdictText(v)) + "**") << " |\n";
            if (!v.row->note.empty())
                notes.push_back(&v);
        }
        if (!notes.empty()) {
            out << "\nNotes:\n\n";
            for (const auto *v : notes)
                out << "- *" << v->row->quantity << "*: " << v->row->note << "\n";
        }
        if (!listed.empty()) {
            out << "\nNot compared (shown for information, no verdict):\n\n"
                << "| Quantity | Published | TARNEL | Reason |\n|---|---:|---:|---|\n";
            for (const auto *v : listed)
                out << "| " << md(v->row->quantity) << " | " << v->row->publishedText << " | " << tarnelText(*v) << " | "
                    << md(v->row->note) << " |\n";
        }
    }
}

void writeHtml(std::ostream &out, const std::vector<TExampleResult> &results, const std::string &header)
{
    const TSummary summary = summarise(results);
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
           "<title>TARNEL validation report</title>\n<style>\n"
           "body{font-family:\"Liberation Sans\",Arial,sans-serif;max-width:62em;margin:2em auto;padding:0 1em;"
           "color:#222;line-height:1.4}\n"
           "h1{font-size:1.6em}h2{font-size:1.2em;margin-top:2em;border-bottom:1px solid #bbb}\n"
           "table{border-collapse:collapse;margin:.6em 0;width:100%}\n"
           "th,td{border:1px solid #ccc;padding:.25em .5em;vertical-align:top}th{background:#eef1f4;text-align:left}\n"
           "td.n,th.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}\n"
           ".ok{color:#17612a;font-weight:bold}.bad{color:#a40000;font-weight:bold}\n"
           ".summary{padding:.5em .8em;border-radius:4px}.summary.ok{background:#e6f4e9}.summary.bad{background:#fbe6e6}\n"
           ".meta{color:#555;font-size:.92em}ul.notes{font-size:.92em}\n"
           "</style></head><body>\n<h1>TARNEL validation report</h1>\n<p class=\"meta\">"
        << html(header) << "</p>\n<p class=\"summary " << (summary.allGood() ? "ok" : "bad") << "\">"
        << html(summary.text()) << "</p>\n"
        << "<p>A value is within tolerance when |TARNEL ÷ published − 1| does not exceed the row's tolerance. "
           "English reports print tons of 2,000 lb: values in kips are twice the report's figures. How each "
           "value is read is described in the suite's README.md; the examples' documents give the sources, "
           "the inputs and what each value means.</p>\n";
    for (const auto &r : results) {
        out << "<h2>" << html(r.example->title) << "</h2>\n<p class=\"meta\">Source: " << html(r.example->source)
            << ".<br>\n";
        if (!r.error.empty()) {
            out << "</p><p class=\"bad\">The example could not be run: " << html(r.error) << "</p>\n";
            continue;
        }
        std::string line = runLine(r);
        for (std::size_t at; (at = line.find('`')) != std::string::npos;)
            line.erase(at, 1);
        const std::string runReport = "runs/" + r.example->name + "/" + r.example->name + ".tno";
        out << html(line) << " <a href=\"" << html(runReport) << "\">The program's report</a>.<br>\nValues in " << html(r.example->unit) << ".</p>\n"
            << "<table><tr><th>Quantity</th><th class=\"n\">Published</th><th class=\"n\">TARNEL</th>"
               "<th class=\"n\">Ratio</th><th class=\"n\">Tolerance</th><th>Verdict</th></tr>\n";
        std::vector<const TVerdict *> notes, listed;
        for (const auto &v : r.verdicts) {
            if (!v.row->compared()) {
                listed.push_back(&v);
                continue;
            }
            const bool good = v.readable && v.within;
            out << "<tr><td>" << html(v.row->quantity) << "</td><td class=\"n\">" << v.row->publishedText
                << "</td><td class=\"n\">" << html(tarnelText(v)) << "</td><td class=\"n\">"
                << (v.readable ? fixed(v.ratio, 4) : "–") << "</td><td class=\"n\">" << html(tolerance(*v.row))
                << "</td><td class=\"" << (good ? "ok" : "bad") << "\">" << html(verdictText(v)) << "</td></tr>\n";
            if (!v.row->note.empty())
                notes.push_back(&v);
        }
        out << "</table>\n";
        if (!notes.empty()) {
            out << "<ul class=\"notes\">\n";
            for (const auto *v : notes)
                out << "<li><em>" << html(v->row->quantity) << "</em>: " << html(v->row->note) << "</li>\n";
            out << "</ul>\n";
        }
        if (!listed.empty()) {
            out << "<p>Not compared (shown for information, no verdict):</p>\n<table><tr><th>Quantity</th>"
                   "<th class=\"n\">Published</th><th class=\"n\">TARNEL</th><th>Reason</th></tr>\n";
            for (const auto *v : listed)
                out << "<tr><td>" << html(v->row->quantity) << "</td><td class=\"n\">" << v->row->publishedText
                    << "</td><td class=\"n\">" << html(tarnelText(*v)) << "</td><td>" << html(v->row->note)
                    << "</td></tr>\n";
            out << "</table>\n";
        }
    }
    out << "</body></html>\n";
}

int usage()
{
    std::cerr << "usage: tarnel-validate [--engine LIBRARY] [--data FOLDER] [--out FOLDER] [--always-zero]\n"
                 "  --engine  the engine library to check (default: Tarnel2012_DLL.so beside this program)\n"
                 "  --data    the validation suite (default: the installed one)\n"
                 "  --out     where report.md, report.html and the run files go (default: tarnel-validation)\n"
                 "  --always-zero  exit 0 even when a value is out of tolerance (for building the shipped report)\n"
                 "  --shipped  say in the report that it was made when the package was built\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    fs::path engine = programFolder() / "Tarnel2012_DLL.so", data = defaultData(), out = "tarnel-validation";
    bool alwaysZero = false, shipped = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--always-zero")
            alwaysZero = true;
        else if (arg == "--shipped")
            shipped = true;
        else if (i + 1 < argc && arg == "--engine")
            engine = argv[++i];
        else if (i + 1 < argc && arg == "--data")
            data = argv[++i];
        else if (i + 1 < argc && arg == "--out")
            out = argv[++i];
        else
            return usage();
    }
    try {
        std::error_code ec;
        engine = fs::absolute(engine);
        out = fs::absolute(out);
        const auto examples = readExamples((data / "examples.tsv").string());
        const auto rows = readValues((data / "values.tsv").string());
        TEngineLibrary library(engine);
        fs::create_directories(out);
        std::vector<TExampleResult> results;
        for (const auto &e : examples) {
            TExampleResult r{&e, {}, {}, -1, {}, {}};
            try {
                r.run = library.run(data / (e.name + ".tnd"), out / "runs" / e.name);
                r.verdicts = judge(rows, e.name, r.run);
                r.agreement = plotAgreement(r.run, r.agreementText);
            } catch (const std::exception &error) {
                r.error = error.what();
            }
            results.push_back(std::move(r));
        }
        // The shipped report is made in the build tree: its paths would mean nothing on the user's machine.
        const std::string header =
            shipped ? std::string("TARNEL ") + kVersion + ". Made on " + nowText() +
                          " when the package was built, with the engine library it installs (" +
                          engine.filename().string() + "). Run tarnel-validate to repeat it on this machine."
                    : std::string("TARNEL ") + kVersion + ", engine library " + engine.string() + ", suite " +
                          fs::weakly_canonical(data, ec).string() + ", run " + nowText() + ".";
        std::ofstream mdFile(out / "report.md"), htmlFile(out / "report.html");
        writeMarkdown(mdFile, results, header);
        writeHtml(htmlFile, results, header);
        if (!mdFile || !htmlFile)
            throw EValidation("cannot write the report into " + out.string());
        const TSummary summary = summarise(results);
        std::cout << summary.text() << "\nReport: " << (out / "report.html").string() << "\n        "
                  << (out / "report.md").string() << "\n";
        for (const auto &r : results)
            for (const auto &v : r.verdicts)
                if (v.row->compared() && !(v.readable && v.within))
                    std::cout << "  " << r.example->name << " / " << v.row->key << ": " << verdictText(v)
                              << (v.readable ? ", TARNEL " + tarnelText(v) + " against " + v.row->publishedText + " " +
                                                   v.row->unit + ", ratio " + fixed(v.ratio, 4) + ", tolerance " +
                                                   tolerance(*v.row)
                                             : "")
                              << '\n';
        return summary.allGood() || alwaysZero ? 0 : 1;
    } catch (const std::exception &error) {
        std::cerr << "tarnel-validate: " << error.what() << '\n';
        return 2;
    }
}
