#pragma once
// Answers the next modal window of a test: waits for it, records its text, and clicks the button
// with the given text (or closes it), from the event loop and never inside the timer's slot.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

class ModalAnswer : public QObject {
  public:
    explicit ModalAnswer(QString button) : m_button(std::move(button)) {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || m_answered) return;
            m_answered = true;
            QTimer::singleShot(0, this, [this, modal] { answer(modal); });
        });
        m_timer.start();
    }

    QString text;  // the modal window's text, once it was seen
    bool seen() const { return m_answered; }

  private:
    void answer(QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box) text = box->text();
        if (box) {
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == m_button) {
                    button->click();
                    return;
                }
            }
        }
        modal->close();
    }

    QString m_button;
    QTimer m_timer;
    bool m_answered = false;
};
