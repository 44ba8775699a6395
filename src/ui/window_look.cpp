#include "window_look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include "pictures.h"
#include "window_fonts.h"

QIcon ProgramIcon() {
    // Decoded when the program was built: reading the icon file costs more than the whole window.
    static const QIcon icon = [] {
        const QImage image = IconPicture();
        return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
    }();
    return icon;
}

void SetUpWindow(QWidget* window, const char* name, const QString& caption, Qt::WindowFlags frame,
                 const QColor& background) {
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setWindowFlags(frame);
    window->setWindowIcon(ProgramIcon());
    window->setFont(WindowFont(11));
    SetBackground(window, background);
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetFieldColours(QWidget* field) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
}

void HideDefaultButtonOutsideButtons(QWidget* window) {
    // focusChanged comes after the focus events, in which Qt picks its default button: the first
    // button made, when the focus leaves a button for a field or for another window.
    QObject::connect(qApp, &QApplication::focusChanged, window,
                     [window](QWidget* old, QWidget* now) {
                         const bool here = now && now->window() == window;
                         if (here && qobject_cast<QAbstractButton*>(now))
                             return;  // the focused button
                         if (!here && !(old && old->window() == window))
                             return;  // another window's change
                         for (QPushButton* button : window->findChildren<QPushButton*>())
                             button->setDefault(false);
                     });
}
