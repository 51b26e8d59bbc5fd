#include "app/error_report.h"
#include "version.h"

#include <QMessageBox>
#include <QString>

namespace keyloom {

void reportError(const std::exception& error) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf16(kApplicationTitle),
                    QString::fromUtf8(error.what()), QMessageBox::Ok);
    box.exec();
}

} // namespace keyloom
