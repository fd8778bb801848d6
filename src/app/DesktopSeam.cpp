#include "app/DesktopSeam.hpp"

#include <QCoreApplication>
#include <QDate>
#include <QMessageBox>

namespace {
const QString kTitle = QStringLiteral("みちくさダイヤ");
}

void DesktopSeam::message(const QString& text, const QString& informative) {
    QMessageBox box(QMessageBox::Information, kTitle, text, QMessageBox::Ok);
    if (!informative.isEmpty()) box.setInformativeText(informative);
    box.exec();
}

void DesktopSeam::fatal(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kTitle, text, QMessageBox::Ok);
    box.exec();
}

void DesktopSeam::endProgram(int status) {
    ended_ = true;
    status_ = status;
    QCoreApplication::exit(status);
}

mkd::Date DesktopSeam::today() {
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}
