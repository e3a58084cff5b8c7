#pragma once
// The light backdrop of a window. Property lists give controls colours chosen for a light window
// (black captions, black on white fields, a blue link while hovered), and leave the rest to the
// desktop. Under a dark desktop palette the window takes Qt's standard light palette instead, so
// those colours keep their contrast and the controls the desktop draws match them; under a light
// desktop palette the window keeps the desktop's own.
#include <QStyle>

class QAbstractButton;
class QWidget;

// Keeps `window`, its menu bar and the menus it opens on a light palette while the application's
// palette is dark, following the desktop as it switches between dark and light.
void KeepLightBackdrop(QWidget& window);

// Shows the style's standard icon `which` on `button`, in the button's text colour wherever the
// desktop's own icon would not stand out from the ground behind it (a dark theme's light glyph on
// the light backdrop). Looked at again when the palette or the style changes.
void SetReadableStandardIcon(QAbstractButton& button, QStyle::StandardPixmap which);
