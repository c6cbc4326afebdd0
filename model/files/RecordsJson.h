#pragma once

#include "model/animation/Animation.h"

#include <QJsonObject>

#include <optional>

namespace model {

// An animation as JSON, for the recovery file: its name, its rows and every
// record with all its values, its uninterpreted lines, its folder and its
// source id; the images are not kept (they are read again from the folders).
QJsonObject animationToJson(const Animation& animation);

// The animation back, without images; nullopt when the JSON is not such an
// animation (a value of the wrong kind, a number outside 16 bits, a row
// that is not a plain file name).
std::optional<Animation> animationFromJson(const QJsonObject& json);

} // namespace model
