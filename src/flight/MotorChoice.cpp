#include "flight/MotorChoice.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace vantor {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool SameMaker(std::string_view a, std::string_view b) {
    return Lower(MakerName(Trim(a))) == Lower(MakerName(Trim(b)));
}

bool Lists(const Motor& motor, double delay) {
    return std::any_of(motor.delays.begin(), motor.delays.end(),
                       [&](double d) { return std::abs(d - delay) < 1e-9; });
}

// The maker as the file's header writes it: the last field of a RASP header line, or the
// mfg attribute of a RockSim engine.
std::string HeaderMaker(const Motor& motor) {
    std::ifstream in(motor.file, std::ios::binary);
    if (!in)
        return {};
    std::string head(16384, '\0');
    in.read(head.data(), std::streamsize(head.size()));
    head.resize(std::size_t(in.gcount()));
    const std::size_t mfg = head.find("mfg=\"");
    if (mfg != std::string::npos) {
        const std::size_t end = head.find('"', mfg + 5);
        return end == std::string::npos ? std::string() : head.substr(mfg + 5, end - mfg - 5);
    }
    std::size_t pos = 0;
    while (pos < head.size()) {
        std::size_t end = head.find('\n', pos);
        if (end == std::string::npos)
            end = head.size();
        const std::string_view line = Trim(std::string_view(head).substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == ';')
            continue;
        const std::size_t space = line.find_last_of(" \t");
        return space == std::string_view::npos ? std::string() : std::string(line.substr(space + 1));
    }
    return {};
}

} // namespace

std::string BaseDesignation(std::string_view designation) {
    std::size_t end = designation.size();
    while (end > 0 && std::isalpha(static_cast<unsigned char>(designation[end - 1])))
        --end;
    // A designation that is only letters has no propellant suffix to drop.
    return end == 0 ? std::string(designation) : std::string(designation.substr(0, end));
}

bool HeaderNamesMakerInFull(const Motor& motor) {
    const std::string written = HeaderMaker(motor);
    return !written.empty() && Lower(written) == Lower(MakerName(written));
}

std::optional<MotorName> ParseMotorName(std::string_view text) {
    text = Trim(text);
    const std::size_t space = text.find_last_of(" \t");
    if (space == std::string_view::npos)
        return std::nullopt;
    MotorName name;
    name.maker = std::string(Trim(text.substr(0, space)));
    std::string_view rest = text.substr(space + 1);
    const std::size_t dash = rest.rfind('-');
    if (dash != std::string_view::npos) {
        const std::string delay(rest.substr(dash + 1));
        rest = rest.substr(0, dash);
        if (delay == "P" || delay == "p") {
            name.plugged = true;
        } else {
            char* end = nullptr;
            const double value = std::strtod(delay.c_str(), &end);
            if (delay.empty() || end != delay.c_str() + delay.size() || !std::isfinite(value) || value < 0)
                return std::nullopt;
            name.delay = value;
        }
    }
    name.designation = std::string(rest);
    if (name.maker.empty() || name.designation.empty())
        return std::nullopt;
    return name;
}

MotorPick PickMotor(const MotorLibrary& library, const MotorName& name) {
    MotorPick pick;
    const std::string wanted = Lower(name.designation);
    const std::string wantedBase = Lower(BaseDesignation(name.designation));
    const bool wantsLetters = wanted != wantedBase;
    struct Candidate {
        const Motor* motor;
        bool delay, fullName, exact, rasp;
        std::string file;
    };
    std::vector<Candidate> candidates;
    for (const Motor& motor : library.motors) {
        if (!SameMaker(motor.maker, name.maker))
            continue;
        const std::string designation = Lower(motor.designation);
        const std::string base = Lower(BaseDesignation(motor.designation));
        const bool exact = designation == wanted;
        // A bare designation finds any propellant; letters asked for must end the file's
        // letters ("G80T" finds "G80NBT", not "G80W").
        const std::string letters = designation.substr(base.size());
        const std::string wantedLetters = wanted.substr(wantedBase.size());
        const bool sameBase = base == wantedBase;
        const bool lettersMatch = !wantsLetters || (letters.size() >= wantedLetters.size() &&
                                                    letters.compare(letters.size() - wantedLetters.size(),
                                                                    wantedLetters.size(), wantedLetters) == 0);
        if (!exact && !(sameBase && lettersMatch))
            continue;
        Candidate c{&motor, false, false, exact, false, std::filesystem::path(motor.file).filename().string()};
        c.delay = name.plugged ? motor.delays.empty() : name.delay ? Lists(motor, *name.delay) : true;
        c.fullName = HeaderNamesMakerInFull(motor);
        c.rasp = Lower(std::filesystem::path(motor.file).extension().string()) == ".eng";
        candidates.push_back(std::move(c));
    }
    if (candidates.empty())
        return pick;
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return std::make_tuple(!a.delay, !a.fullName, !a.exact, !a.rasp, a.file, a.motor->designation) <
               std::make_tuple(!b.delay, !b.fullName, !b.exact, !b.rasp, b.file, b.motor->designation);
    });
    pick.motor = candidates.front().motor;
    pick.delayListed = candidates.front().delay;
    if (!name.plugged)
        pick.delay = name.delay;
    for (const Candidate& c : candidates)
        pick.sameName.push_back(c.motor);
    return pick;
}

} // namespace vantor
