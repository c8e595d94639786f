#include "platform/qt/style.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace vz {

void applyLightStyle(QApplication& application) {
    application.setStyle(QStyleFactory::create("Fusion"));
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(240, 243, 247));
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Button, QColor(232, 237, 243));
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(40, 100, 180));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(150, 150, 150));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 150, 150));
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(236, 236, 236));
    application.setPalette(palette);
    // The layout was drawn for a small 8-point face; keep the text that size on every screen.
    QFont font("Liberation Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    application.setFont(font);
    application.setStyleSheet(
        "QGroupBox { border: 1px solid #a9b5c5; border-radius: 4px; margin-top: 6px; "
        "background: rgba(255,255,255,90); }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 1px; "
        "color: #1e3a5f; }"
        "QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfcfe, "
        "stop:1 #e3e9f1); border-bottom: 1px solid #b9c4d2; }");
}

}  // namespace vz
