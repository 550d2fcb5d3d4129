#pragma once

#include <array>
#include <string_view>

namespace vantor {

// A material a component can be made of: its name as listed and its density in grams
// per cubic millimetre.
struct TMaterial {
    std::string_view name;
    float density;
};

// The materials, in the order the parameters dialog lists them.
inline constexpr std::array<TMaterial, 8> Materials{{
    {"Paper", 0.00065f},
    {"Balsa", 0.0001f},
    {"Alloy", 0.0027f},
    {"Celuloid", 0.00138f},
    {"Cork", 0.00024f},
    {"Wood", 0.00075f},
    {"Plastics", 0.00117f},
    {"Iron", 0.0078f},
}};

// The material of exactly that name, or null.
const TMaterial* FindMaterial(std::string_view name);

} // namespace vantor
