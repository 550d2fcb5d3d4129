#include "exchange/ImportNotes.h"

#include <sstream>

namespace vantor {

bool LeavesOut(ImportEvent event) {
    return event <= ImportEvent::MotorWithoutMount;
}

const ImportReportTexts& EnglishImportTexts() {
    static const ImportReportTexts texts = [] {
        ImportReportTexts t;
        const auto set = [&t](ImportEvent event, const char* text) {
            t.events[static_cast<std::size_t>(event)] = text;
        };
        set(ImportEvent::PartOutsideBody, "a part outside the body is left out");
        set(ImportEvent::SideBoostersAndPods, "side boosters and pods are left out");
        set(ImportEvent::Pods, "pods are left out");
        set(ImportEvent::RingTail, "a ring tail is left out");
        set(ImportEvent::BodyPartInsidePart, "a body part inside another part is left out");
        set(ImportEvent::UnknownElement, "an element this program does not know is left out");
        set(ImportEvent::LowerStage, "a lower stage is left out; only the sustainer is imported");
        set(ImportEvent::SecondNose, "a second nose cone is left out");
        set(ImportEvent::BodyPartAheadOfNose, "a body part ahead of the nose is left out");
        set(ImportEvent::FinSetOnNoBody, "a fin set on no body tube is left out");
        set(ImportEvent::MotorOutsideBody, "a motor outside the body is left out");
        set(ImportEvent::PartAheadOfNose, "a part ahead of the nose is left out");
        set(ImportEvent::MotorWithoutMount, "the file puts this motor in mount %1, which the "
                                            "design does not have; the motor is left out");
        set(ImportEvent::ShoulderInNose, "shoulder mass included in its weight");
        set(ImportEvent::BaseExtensionAsTube,
            "the nose's base extension drawn as a body tube; its mass stays in the nose");
        set(ImportEvent::TubeFinsAsWeight,
            "tube fins are drawn as a weight; their lift is left out");
        set(ImportEvent::EllipticalFins,
            "elliptical fins drawn as a trapezoid of the same span, area and centroid");
        set(ImportEvent::FreeFormFins,
            "free-form fins drawn as a trapezoid of the same span, area and centroid");
        set(ImportEvent::CantIgnored, "cant ignored");
        set(ImportEvent::CantOfIgnored, "cant of %1 degrees ignored");
        set(ImportEvent::OverrideMassShared,
            "override mass of the whole assembly shared in proportion");
        set(ImportEvent::OverrideMassSharedAmong,
            "override mass of the whole assembly shared among its parts in proportion");
        set(ImportEvent::OverrideCgNotDrawable,
            "override CG not drawable; the component's own CG is used");
        set(ImportEvent::StageOverrideCgNotDrawable,
            "override CG of the stage not drawable; the parts' own CGs are used");
        set(ImportEvent::NoseWeightShared, "weight shared with a weight of %1 g at %2 mm from the "
                                           "tip, so that the nose's centre of "
                                           "gravity is the source's");
        set(ImportEvent::NoseShapeNearest, "%1 nose drawn as the nearest %2 nose (same centre of "
                                           "pressure and volume as near as it gets)");
        set(ImportEvent::TransitionEqualDiameters,
            "transition of equal diameters drawn as a body tube");
        set(ImportEvent::TransitionShapeAsCone, "%1 transition drawn as a straight cone");
        set(ImportEvent::GapClosed, "gap or overlap of %1 mm to the part ahead closed");
        set(ImportEvent::FinCountChanged, "%1 fins drawn as %2");
        set(ImportEvent::MotorDataSubstituted,
            "no data for this motor; the data of %1 used (%2 g)");
        set(ImportEvent::MotorDataNotFound, "motor data not found; drawn without its weight");
        set(ImportEvent::DrawnAsWeight, "drawn as a weight at its centre of gravity");
        set(ImportEvent::MountWithoutMotor,
            "the file names no motor for this mount; the mount is left empty");
        set(ImportEvent::MotorPutInMount,
            "the file puts this motor in mount %1, which it does not hold; the motor is put in %2");
        t.words = {"conical",          "ogive",       "parabolic", "elliptical", "power series",
                   "parabolic series", "Haack series"};
        t.leftOutLine = "left out: %1: %2";
        t.approximatedLine = "approximated: %1: %2";
        t.withMass = "%1 (%2 g)";
        t.decimalPoint = ".";
        return t;
    }();
    return texts;
}

std::string FillTemplate(const std::string& pattern, const std::vector<std::string>& values) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9') {
            const auto index = static_cast<std::size_t>(next - '1');
            if (index < values.size())
                out += values[index];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

namespace {

std::string Number(double value, int decimals, const std::string& point) {
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream.setf(std::ios::fixed);
    stream.precision(decimals);
    stream << value;
    std::string text = stream.str();
    if (const auto dot = text.find('.'); dot != std::string::npos)
        text.replace(dot, 1, point);
    return text;
}

std::string ArgText(const ImportArg& arg, const ImportReportTexts& texts) {
    switch (arg.kind) {
    case ImportArg::Kind::Number:
        return Number(arg.number, arg.decimals, texts.decimalPoint);
    case ImportArg::Kind::Word:
        return texts.words[static_cast<std::size_t>(arg.word)];
    case ImportArg::Kind::Text:
        break;
    }
    return arg.text;
}

} // namespace

std::string ImportNoteWhat(const ImportNote& note, const ImportReportTexts& texts) {
    std::vector<std::string> values;
    for (const ImportArg& arg : note.args)
        values.push_back(ArgText(arg, texts));
    return FillTemplate(texts.events[static_cast<std::size_t>(note.event)], values);
}

std::string ImportNoteLine(const ImportNote& note, const ImportReportTexts& texts) {
    const std::string line = FillTemplate(note.leftOut ? texts.leftOutLine : texts.approximatedLine,
                                          {note.part, ImportNoteWhat(note, texts)});
    if (!(note.mass > 0))
        return line;
    return FillTemplate(texts.withMass, {line, Number(note.mass, 1, texts.decimalPoint)});
}

} // namespace vantor
