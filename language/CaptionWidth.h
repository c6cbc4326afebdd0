#pragma once

class QWidget;

namespace language {

// The width a label, push button, check box or radio button needs to show
// its caption whole: the text without its shortcut mark, and the button's
// frame or the indicator before the text. The fixed layouts were made for
// the Chinese captions; the programs widen a control to this where an
// English caption needs more room.
int captionWidth(const QWidget* control);

// Widens `control`, keeping its left edge, when its caption needs more room
// than it has.
void widenToCaption(QWidget* control);

// The width a control needs beside its caption's text.
int captionFrameWidth(const QWidget* control);

} // namespace language
