#include "screens/ProgramStyle.hpp"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>

namespace {

// An icon that asks the style for the real one on first use.
class DeferredIcon : public QIconEngine {
public:
    DeferredIcon(const QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return real().availableSizes(mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return real().pixmap(size, scale, mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIcon(*this); }

private:
    const QIcon& real() {
        if (!loaded_) {
            loaded_ = true;
            if (const QProxyStyle* style = qobject_cast<const QProxyStyle*>(style_.data()))
                icon_ = style->baseStyle()->standardIcon(which_);
        }
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    bool loaded_ = false;
    QIcon icon_;
};

// Draws with the style's shared palette of equal colours in place of the
// option's own, for as long as it lives. The option is the caller's
// temporary (every widget fills one in to paint itself); equal colours draw
// the same, so only the cache key the drawing is filed under changes.
class SharedPaletteWhileDrawing {
public:
    SharedPaletteWhileDrawing(const ProgramStyle& style, const QStyleOption* option)
        : option_(const_cast<QStyleOption*>(option)) {
        if (!option_) return;
        QPalette shared = style.sharedPalette(option_->palette);
        if (shared.cacheKey() == option_->palette.cacheKey()) {
            option_ = nullptr;
            return;
        }
        shared.setCurrentColorGroup(option_->palette.currentColorGroup());
        own_ = option_->palette;
        option_->palette = shared;
    }
    ~SharedPaletteWhileDrawing() {
        if (option_) option_->palette = own_;
    }
    SharedPaletteWhileDrawing(const SharedPaletteWhileDrawing&) = delete;
    SharedPaletteWhileDrawing& operator=(const SharedPaletteWhileDrawing&) = delete;

private:
    QStyleOption* option_;
    QPalette own_;
};

}  // namespace

ProgramStyle::ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
    setObjectName(QStringLiteral("ProgramStyle"));
}

QIcon ProgramStyle::standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const {
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredIcon(this, which));
    return QProxyStyle::standardIcon(which, option, widget);
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    switch (hint) {
        case SH_ComboBox_Popup:
        case SH_MenuBar_AltKeyNavigation:
            return 0;
        case SH_Menu_AllowActiveAndDisabled:
            // The arrow keys stop at a menu or item that is off, so that a
            // keyboard user learns why (the screens say it) as a mouse user
            // does from its tool tip.
            return 1;
        default:
            return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

QRect ProgramStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                                   const QWidget* widget) const {
    const QRect base = QProxyStyle::subControlRect(control, option, sub, widget);
    if (control != CC_ComboBox || (sub != SC_ComboBoxArrow && sub != SC_ComboBoxEditField)) return base;
    // Fusion's arrow button is 19 pixels wide and the text field ends where
    // it begins; both keep Fusion's frame and only move the boundary.
    const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
    const int shift = std::max(0, arrow.width() - kListArrowWidth);
    const bool rightToLeft = option->direction == Qt::RightToLeft;
    QRect r = base;
    if (sub == SC_ComboBoxArrow)
        rightToLeft ? r.setRight(r.right() - shift) : r.setLeft(r.left() + shift);
    else
        rightToLeft ? r.setLeft(r.left() - shift) : r.setRight(r.right() + shift);
    return r;
}

QPalette ProgramStyle::sharedPalette(const QPalette& palette) const {
    for (const QPalette& known : palettes_)
        if (known == palette) return known;
    if (palettes_.size() >= kMaxSharedPalettes) return palette;
    palettes_.push_back(palette);
    return palette;
}

QColor ProgramStyle::focusRingColour(const QColor& background) {
    // Amber on the dark grey screens (about 6:1), deep blue on the light
    // menu bar and lists (about 8:1).
    return background.lightnessF() < 0.5 ? QColor(255, 196, 0) : QColor(0, 64, 160);
}

void ProgramStyle::drawFocusRing(QPainter* painter, const QRect& rect, const QColor& background) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(focusRingColour(background), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter->drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    painter->setPen(QPen(background.lightnessF() < 0.5 ? Qt::black : Qt::white, 1));
    painter->drawRect(rect.adjusted(2, 2, -3, -3));
    painter->restore();
}

namespace {

// Focus reached by the keyboard or not, the ring shows wherever the focus is:
// a person who clicked may go on with the keyboard.
bool ringed(const QStyleOption* option, const QWidget* widget) {
    return (option->state & QStyle::State_HasFocus) && widget && widget->hasFocus() &&
           (option->state & QStyle::State_Enabled);
}

// The colour around the control: its parent's background.
QColor around(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget() ? widget->parentWidget() : widget;
    return parent->palette().color(parent->backgroundRole());
}

}  // namespace

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        // Around an option button's caption, on the screen's background.
        if (widget && widget->hasFocus()) drawFocusRing(painter, option->rect.adjusted(-2, -2, 2, 2), around(widget));
        return;
    }
    if (element != PE_IndicatorRadioButton) {
        SharedPaletteWhileDrawing shared(*this, option);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // A ring in the text colour, filled with the background; a dot inside
    // when selected. Disabled, both take the disabled text colour.
    const bool enabled = option->state & State_Enabled;
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    const QColor ink = option->palette.color(group, QPalette::WindowText);
    QColor fill = option->palette.color(group, QPalette::Window);
    if (option->state & State_Sunken) fill = fill.lighter(140);
    const qreal side = std::min(option->rect.width(), option->rect.height()) - 2.0;
    const QRectF ring(QPointF(option->rect.center()) - QPointF(side / 2 - 0.5, side / 2 - 0.5), QSizeF(side, side));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(ink, 1.5));
    painter->setBrush(fill);
    painter->drawEllipse(ring);
    if (option->state & State_On) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(ink);
        painter->drawEllipse(ring.center(), side * 0.27, side * 0.27);
    }
    painter->restore();
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    if (element == CE_ComboBoxLabel) {
        if (const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option)) {
            const QRect field = subControlRect(CC_ComboBox, box, SC_ComboBoxEditField, widget);
            if (box->fontMetrics.horizontalAdvance(box->currentText) > field.width()) {
                QStyleOptionComboBox shortened = *box;
                shortened.currentText = box->fontMetrics.elidedText(box->currentText, Qt::ElideRight, field.width());
                QProxyStyle::drawControl(element, &shortened, painter, widget);
                return;
            }
        }
    }
    SharedPaletteWhileDrawing shared(*this, option);
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && ringed(option, widget)) drawFocusRing(painter, option->rect, around(widget));
    // A table or list with the focus: the ring around its frame as well as
    // the current cell's, so that it shows before a row is chosen.
    if (element == CE_ShapedFrame && widget && widget->hasFocus() && widget->inherits("QAbstractItemView"))
        drawFocusRing(painter, widget->rect(), around(widget));
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                      const QWidget* widget) const {
    {
        SharedPaletteWhileDrawing shared(*this, option);
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
    if ((control == CC_ComboBox || control == CC_SpinBox) && ringed(option, widget))
        drawFocusRing(painter, option->rect, around(widget));
}
