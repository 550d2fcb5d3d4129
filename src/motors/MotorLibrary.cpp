#include "motors/MotorLibrary.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace vantor {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && Lower(a) == Lower(b);
}

// The motor files under `folder`, sorted, at most MaxMotorFilesPerFolder of them.
std::vector<std::filesystem::path> MotorFilesUnder(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return files;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                        error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it.depth() >= MaxMotorFolderDepth)
            it.disable_recursion_pending();
        std::error_code typeError;
        if (it->is_regular_file(typeError) && IsMotorFileName(it->path()))
            files.push_back(it->path());
        if (files.size() >= MaxMotorFilesPerFolder)
            break;
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

void AddMotors(MotorLibrary& library, MotorFileResult&& result) {
    for (Motor& motor : result.motors) {
        library.figures.push_back(FiguresOf(motor));
        library.motors.push_back(std::move(motor));
    }
    for (MotorFileError& error : result.errors)
        library.errors.push_back(std::move(error));
}

MotorLibrary LoadMotorLibrary(const std::vector<std::filesystem::path>& folders) {
    MotorLibrary library;
    for (const auto& folder : folders)
        for (const auto& file : MotorFilesUnder(folder))
            AddMotors(library, ReadMotorFile(file));
    return library;
}

std::string DelayText(double delay) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", delay);
    return text;
}

std::string MotorCaption(const Motor& motor, std::optional<double> delay) {
    std::string caption = motor.maker.empty() ? motor.designation
                                              : motor.maker + " " + motor.designation;
    if (delay)
        caption += "-" + DelayText(*delay);
    else if (motor.delays.empty())
        caption += "-P";
    return caption;
}

NamedMotor FindMotorByCaption(const MotorLibrary& library, std::string_view caption) {
    while (!caption.empty() && std::isspace(static_cast<unsigned char>(caption.back())))
        caption.remove_suffix(1);
    const std::size_t dash = caption.rfind('-');
    const std::size_t space = caption.rfind(' ');
    if (dash == std::string_view::npos || (space != std::string_view::npos && dash < space))
        return {};
    const std::string_view delayText = caption.substr(dash + 1);
    const std::string_view named = caption.substr(0, dash);
    std::optional<double> delay;
    if (!SameText(delayText, "P")) {
        char* end = nullptr;
        const std::string text(delayText);
        const double value = std::strtod(text.c_str(), &end);
        if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value))
            return {};
        delay = value;
    }
    for (const Motor& motor : library.motors) {
        const std::string full = motor.maker.empty() ? motor.designation
                                                     : motor.maker + " " + motor.designation;
        if (!SameText(full, named))
            continue;
        if (!delay && motor.delays.empty())
            return {&motor, std::nullopt};
        if (delay && std::any_of(motor.delays.begin(), motor.delays.end(),
                                 [&](double d) { return std::abs(d - *delay) < 1e-9; }))
            return {&motor, delay};
    }
    return {};
}

MotorSearch::MotorSearch(const MotorLibrary& library) : library_(library) {
    haystacks_.reserve(library.motors.size());
    for (std::size_t i = 0; i < library.motors.size(); ++i) {
        const Motor& motor = library.motors[i];
        const std::string cls = i < library.figures.size() ? library.figures[i].impulseClass : "";
        haystacks_.push_back(Lower(motor.maker + " " + motor.designation + " " + cls + " " +
                                   std::filesystem::path(motor.file).filename().string()));
    }
}

std::vector<std::size_t> MotorSearch::find(std::string_view text,
                                           std::optional<double> maxDiameter) const {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));

    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < haystacks_.size(); ++i) {
        if (maxDiameter && library_.motors[i].diameter > *maxDiameter + 1e-6)
            continue;
        const std::string& haystack = haystacks_[i];
        if (std::all_of(words.begin(), words.end(), [&](const std::string& w) {
                return haystack.find(w) != std::string::npos;
            }))
            found.push_back(i);
    }
    return found;
}

} // namespace vantor
