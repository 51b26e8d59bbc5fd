#include "app/error_report.h"

#include <QMessageBox>
#include <QString>

namespace keyloom {

void reportError(const std::exception& error) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle),
                    QString::fromUtf8(error.what()), QMessageBox::Ok);
    box.exec();
}

} // namespace keyloom
