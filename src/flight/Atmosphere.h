#pragma once

namespace vantor {

// The air at one altitude: temperature in kelvin, pressure in pascals, density in kg/m^3,
// speed of sound in m/s, dynamic viscosity in Pa s.
struct AirState {
    double temperature = 0;
    double pressure = 0;
    double density = 0;
    double speedOfSound = 0;
    double viscosity = 0;
};

// The International Standard Atmosphere (ICAO) at a geometric height above sea level in
// metres, up to 47 km geopotential; above, the air of 47 km is held. Below sea level the
// tropospheric lapse rate continues.
AirState StandardAtmosphere(double height);

// The air a flight meets: the standard atmosphere above a launch site at `siteAltitude`,
// optionally with the site's measured temperature, which shifts the whole temperature
// profile by the same offset (pressure stays the standard pressure, so the density follows
// from the gas law). A constant atmosphere (the same air at every height) exists for
// closed-form checks of the integrator.
class Atmosphere {
public:
    Atmosphere() = default;
    static Atmosphere Standard(double siteAltitude, double temperatureOffset = 0);
    static Atmosphere Constant(double density, double speedOfSound, double viscosity = 1.789e-5);

    // The air at `height` metres above the launch site.
    AirState at(double height) const;

private:
    double site_ = 0;
    double offset_ = 0;
    bool constant_ = false;
    AirState fixed_{};
};

inline constexpr double StandardGravity = 9.80665;

} // namespace vantor
