#include "flight/Atmosphere.h"

#include <array>
#include <cmath>

namespace vantor {

namespace {

constexpr double GasConstant = 287.05287; // J/(kg K), dry air
constexpr double HeatRatio = 1.4;

struct Layer {
    double base;        // m, geopotential
    double temperature; // K at the base
    double lapse;       // K/m
    double pressure;    // Pa at the base
};

// ICAO standard atmosphere layers up to the stratopause.
constexpr std::array<Layer, 4> Layers{{
    {0, 288.15, -0.0065, 101325.0},
    {11000, 216.65, 0.0, 22632.06},
    {20000, 216.65, 0.001, 5474.889},
    {32000, 228.65, 0.0028, 868.0187},
}};

// Sutherland's law for air.
double Viscosity(double temperature) {
    constexpr double reference = 1.458e-6, s = 110.4;
    return reference * std::pow(temperature, 1.5) / (temperature + s);
}

AirState FromTemperatureAndPressure(double temperature, double pressure) {
    AirState air;
    air.temperature = temperature;
    air.pressure = pressure;
    air.density = pressure / (GasConstant * temperature);
    air.speedOfSound = std::sqrt(HeatRatio * GasConstant * temperature);
    air.viscosity = Viscosity(temperature);
    return air;
}

} // namespace

AirState StandardAtmosphere(double height) {
    if (!std::isfinite(height))
        height = 0;
    // The layers are defined on geopotential altitude; heights are geometric.
    constexpr double earthRadius = 6356766.0;
    double altitude = earthRadius * height / (earthRadius + height);
    altitude = std::min(altitude, 47000.0);
    std::size_t i = 0;
    while (i + 1 < Layers.size() && altitude >= Layers[i + 1].base)
        ++i;
    const Layer& layer = Layers[i];
    const double h = altitude - layer.base;
    const double temperature = layer.temperature + layer.lapse * h;
    double pressure;
    if (layer.lapse == 0)
        pressure = layer.pressure * std::exp(-StandardGravity * h / (GasConstant * temperature));
    else
        pressure = layer.pressure *
                   std::pow(temperature / layer.temperature, -StandardGravity / (GasConstant * layer.lapse));
    return FromTemperatureAndPressure(temperature, pressure);
}

Atmosphere Atmosphere::Standard(double siteAltitude, double temperatureOffset) {
    Atmosphere air;
    air.site_ = std::isfinite(siteAltitude) ? siteAltitude : 0;
    air.offset_ = std::isfinite(temperatureOffset) ? temperatureOffset : 0;
    return air;
}

Atmosphere Atmosphere::Constant(double density, double speedOfSound, double viscosity) {
    Atmosphere air;
    air.constant_ = true;
    air.fixed_.density = density;
    air.fixed_.speedOfSound = speedOfSound;
    air.fixed_.viscosity = viscosity;
    air.fixed_.temperature = speedOfSound * speedOfSound / (HeatRatio * GasConstant);
    air.fixed_.pressure = density * GasConstant * air.fixed_.temperature;
    return air;
}

AirState Atmosphere::at(double height) const {
    if (constant_)
        return fixed_;
    AirState standard = StandardAtmosphere(site_ + height);
    if (offset_ == 0)
        return standard;
    // A temperature that would reach absolute zero is held at a physical minimum.
    return FromTemperatureAndPressure(std::max(standard.temperature + offset_, 150.0), standard.pressure);
}

} // namespace vantor
