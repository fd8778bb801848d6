#include "screens/DateTyping.hpp"

#include <QDateTimeEdit>
#include <QEvent>
#include <QKeyEvent>

namespace {

class InTurn : public QObject {
public:
    explicit InTurn(QDateTimeEdit* edit) : QObject(edit), edit_(edit) { edit->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != edit_) return false;
        if (event->type() == QEvent::FocusIn) typedIn_ = -1;
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool digit = key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9;
        const bool tab = key->key() == Qt::Key_Tab && !(key->modifiers() & ~Qt::KeypadModifier);
        // The part typed into moved on by itself: this Tab is already done.
        if (tab && typedIn_ >= 0 && edit_->currentSectionIndex() != typedIn_) {
            typedIn_ = -1;
            return true;
        }
        typedIn_ = digit ? edit_->currentSectionIndex() : -1;
        return false;
    }

private:
    QDateTimeEdit* edit_;
    int typedIn_ = -1;  // the part the last digit went into; -1 after any other key
};

}  // namespace

void typeDatesInTurn(QDateTimeEdit* edit) { new InTurn(edit); }
