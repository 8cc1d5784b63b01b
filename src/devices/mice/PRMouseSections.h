#pragma once

#include <QString>
#include <QVector>
#include <array>
#include <cstdint>
#include <string>

#include "devices/mice/PR26xRecords.h"
#include "profilecore/StoreHost.h"
#include "profilecore/XmlSupport.h"

// The sections that the button mice (PR260, PR261, PR941) write alike: buttons with their mapping and
// bound macros, the surface list, the sensor block's positional values.

namespace prefbook {

extern const char kDefaultSurfaceName[];  // "DEFAULT SURFACE"
SurfaceValue DefaultSurface();
SurfaceMap DefaultSurfaces();

// What a reader notices once per document rather than once per element.
struct SectionNotes {
    bool strayButtonLogged = false;
};

// "buttons" with "comboEnable", "comboView", a "mapping" of "btn" ("id", "assign") and a "macros" of
// the bound macros ("name" from the record's field, "id" the button, "mode", "action"s).
void WriteMouseButtons(QXmlStreamWriter& w, uint8_t comboEnable, uint8_t comboView,
                       const QVector<uint16_t>& mapping, const ButtonMacroMap& macros);
// Reads the "buttons" element the reader stands on. A "btn" or bound macro naming a button outside
// 0..12 cannot be placed: it is ignored, and the first one of a document is logged.
void ReadMouseButtons(QXmlStreamReader& r, const StoreHost& host, SectionNotes& notes, uint8_t& comboEnable,
                      uint8_t& comboView, QVector<uint16_t>& mapping, ButtonMacroMap& macros);

// "surface" with "curr_surface" and one "value" ("name", "learn1", "learn2" in signed base 16) per
// entry with a non-empty key.
void WriteMouseSurfaces(QXmlStreamWriter& w, const std::string& currSurface, const SurfaceMap& surfaces);
// The document's list replaces the surfaces: each value starts from the default entry and is stored
// under its name, a later one overwriting an earlier one.
void ReadMouseSurfaces(QXmlStreamReader& r, std::string& currSurface, SurfaceMap& surfaces);

// "rgb" elements ("r", "g", "b"), one per colour. The reader fills the colours in order from the "rgb"
// children of the element it stands on; surplus ones are skipped, missing ones keep their values.
void WriteRgbList(QXmlStreamWriter& w, const RgbColor* colors, int count);
void ReadRgbList(QXmlStreamReader& r, RgbColor* colors, int count);

// The seven sensor values that follow the DPI steps, as elements with decimal text, in this order.
constexpr int kSensorValueCount = 7;
extern const std::array<QLatin1String, kSensorValueCount> kSensorValueNames;

// Sensor values in document order: pollingRate, angleSnapping, liftOffDistance, angleTunability,
// osSensitivity, osDoubleClickSpeed, buttonResponseTime.
struct SensorValues {
    uint8_t pollingRate = 0;
    uint8_t angleSnapping = 0;
    uint8_t liftOffDistance = 0;
    int32_t angleTunability = 0;
    uint8_t osSensitivity = 0;
    uint8_t osDoubleClickSpeed = 0;
    uint8_t buttonResponseTime = 0;
};
void WriteSensorValues(QXmlStreamWriter& w, const SensorValues& v);
// Takes the value at a position among the elements after the DPI steps, whatever the element's name;
// snapping and lift-off are switches and read as 1 when not zero.
void ReadSensorValue(QXmlStreamReader& r, int position, SensorValues& v);

}  // namespace prefbook
