#include "ui/Theme.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <memory>

namespace theme {

namespace {

Appearance current = Appearance::System;
std::unique_ptr<QPalette> systemPalette;
QString systemStyle;

QPalette DarkPalette() {
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 32), text(230, 230, 230), disabled(130, 130, 130);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabled);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, QColor(255, 120, 120));
    p.setColor(QPalette::Light, QColor(75, 75, 80));
    p.setColor(QPalette::Midlight, QColor(60, 60, 64));
    p.setColor(QPalette::Mid, QColor(40, 40, 42));
    p.setColor(QPalette::Dark, QColor(20, 20, 22));
    p.setColor(QPalette::Shadow, Qt::black);
    // Selection in the blue of the colour-blind-safe set, readable with white text.
    p.setColor(QPalette::Highlight, QColor(0, 114, 178));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(86, 180, 233));
    p.setColor(QPalette::LinkVisited, QColor(204, 121, 167));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    return p;
}

}  // namespace

Appearance FromSetting(const QString& value) {
    if (value == "light") return Appearance::Light;
    if (value == "dark") return Appearance::Dark;
    return Appearance::System;
}

void Apply(Appearance appearance) {
    if (!systemPalette) {
        if (appearance == Appearance::System) return;  // nothing to change from the desktop's own
        systemPalette = std::make_unique<QPalette>(QApplication::palette());
        systemStyle = QApplication::style()->name();
    }
    current = appearance;
    switch (appearance) {
        case Appearance::System:
            QApplication::setStyle(QStyleFactory::create(systemStyle));
            QApplication::setPalette(*systemPalette);
            break;
        case Appearance::Light:
            QApplication::setStyle(QStyleFactory::create("Fusion"));
            QApplication::setPalette(QApplication::style()->standardPalette());
            break;
        case Appearance::Dark:
            QApplication::setStyle(QStyleFactory::create("Fusion"));
            QApplication::setPalette(DarkPalette());
            break;
    }
}

Appearance Current() {
    return current;
}

}  // namespace theme
