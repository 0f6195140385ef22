#include "ui/PanelStyle.h"

#include "ui/Fonts.h"

#include <QApplication>
#include <QLabel>

namespace tonlira {
namespace {

// The application's ordinary font, set explicitly so that a list inside a
// panel does not inherit the panel's bold caption font.
QFont listFont() {
    QFont font = QApplication::font();
    font.setBold(false);
    font.setPointSizeF(font.pointSizeF());
    font.setFamily(font.family());
    return font;
}

}  // namespace

void place(QWidget* widget, const Geometry& geometry) { widget->setGeometry(geometry.rect()); }

void setBackground(QWidget* widget, Colour colour, QPalette::ColorRole role) {
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void stylePanel(QLabel* panel, ControlId id, const Geometry& geometry, Colour colour) {
    panel->setObjectName(QStringLiteral("control%1").arg(static_cast<int>(id)));
    panel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    panel->setFont(captionFont());
    setBackground(panel, colour);
    place(panel, geometry);
}

void styleList(QWidget* list, const Geometry& geometry, Colour background) {
    list->setFont(listFont());
    place(list, geometry);
    setBackground(list, background, QPalette::Base);
}

}  // namespace tonlira
