#include "screens/station_labels.hpp"

#include <QStyle>
#include <QStyleOptionComboBox>

#include "screens/Screen.hpp"

void fitStationName(QLabel* label, const QString& name) {
    // The size the screen gave the label, kept from before the first fitting.
    const char* const kDesigned = "mkdDesignedPixels";
    if (!label->property(kDesigned).isValid()) label->setProperty(kDesigned, label->font().pixelSize());
    const int designed = label->property(kDesigned).toInt();
    const int smallest = Screen::font(9).pixelSize();
    const int room = label->contentsRect().width() - 2 * std::max(label->margin(), 0);
    QFont font = label->font();
    int pixels = designed;
    for (;; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(name) <= room || pixels <= smallest) break;
    }
    if (label->font().pixelSize() != pixels) label->setFont(font);
    const QFontMetrics metrics(font);
    const bool cut = metrics.horizontalAdvance(name) > room;
    label->setText(cut ? metrics.elidedText(name, Qt::ElideRight, room) : name);
    label->setToolTip(pixels < designed || cut ? name : QString());
}

void tipWhenCut(QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.currentText = box->currentText();
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    box->setToolTip(box->fontMetrics().horizontalAdvance(option.currentText) > field.width() ? option.currentText
                                                                                             : QString());
}
