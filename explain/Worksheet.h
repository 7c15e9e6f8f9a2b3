#pragma once
// Worksheets for a class: a run of seeded exercises, one to a page with its map and room to
// write, then the solutions on pages of their own with the loops drawn. The same pages go out
// as TeX (pdflatex), as HTML that prints a block per page, or as PDF drawn directly. The maps
// are the program's own map pictures. Translates: user-interface thread only.

#include <optional>
#include <string>
#include <vector>

#include "explain/Exercise.h"
#include "files/Picture.h"

namespace explain {

struct WorksheetSettings {
    int count = 10;
    int minVars = 3, maxVars = 5;
    uint64_t seed = 1;
    TGlueMethod form = gmDNF;
    int onesPercent = 50, dontCarePercent = 10;
    // Every exercise of this difficulty; none: easy, cyclic and many in turn.
    std::optional<Difficulty> difficulty;
};

struct WorksheetPage {
    std::string heading;
    std::vector<std::string> lines;
    picture::Canvas map;
    int answerLines = 0;  // ruled lines to write on
};

// Exercise i has the seed settings.seed + i and a size that steps through the range; where a
// difficulty cannot be had at that size (two variables without don't cares), the exercise is
// an easy one.
std::vector<Exercise> WorksheetExercises(const WorksheetSettings& settings);

// The exercise pages, then the solution pages.
std::vector<WorksheetPage> WorksheetPages(const std::vector<Exercise>& exercises);

std::string WorksheetTex(const std::vector<WorksheetPage>& pages);
std::string WorksheetHtml(const std::vector<WorksheetPage>& pages);
// False with *error (the system's text) when the file cannot be written.
bool WriteWorksheetPdf(const std::vector<WorksheetPage>& pages, const std::string& path,
                       std::string* error);

}  // namespace explain
