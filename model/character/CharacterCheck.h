#pragma once

#include "model/script/ScriptReader.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace model {

// One thing a check found in a character file.
struct CheckFinding {
    enum class Kind {
        Image,        // a frame image that is missing or cannot be decoded
        Line,         // a line the reader cannot take, or a keyword without its values
        Box,          // a body or attack box outside its sprite, or of negative size
        Anchor,       // an anchor outside its sprite
        DuplicateName, // a second animation of a name already used
        KeptKeyword,  // information: a keyword kept but not interpreted, with its count
    };

    Kind kind = Kind::Line;
    QString animation;
    int frame = -1; // row of the frame, -1 when the finding concerns no frame
    int line = 0;   // line in the file, 1-based
    QString text;

    bool isInformation() const { return kind == Kind::KeptKeyword; }
};

// What a check found: problems in file order, then the information.
struct CheckReport {
    QList<CheckFinding> findings;
    int animationCount = 0;
    int checked = 0; // animations checked: fewer when the check was ended early
    bool isComplete() const { return checked == animationCount; }
};

// Checks every animation of a character file against its sprite files:
// reads each block as opening it would, going on past the lines it cannot
// take, and looks at the frames it built. Holds its own copy of the file
// and shares nothing, so it may run on any thread; `loadImage` is called on
// that thread, once per image file.
class CharacterCheck {
public:
    CharacterCheck(QByteArray bytes, QString gameFolder, ImageLoader loadImage);

    // Runs the check. `goOn(done, total)` is asked before each animation and
    // each image with the number of animations done and in all; a false
    // answer ends it.
    CheckReport run(const std::function<bool(int done, int total)>& goOn) const;

private:
    QByteArray m_bytes;
    QString m_gameFolder;
    ImageLoader m_loadImage;
};

} // namespace model
