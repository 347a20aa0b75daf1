#pragma once

#include <QPrinter>
#include <QString>

#include "platform/IPrinter.h"
#include "platform/QtPrinter.h"

// A printer that prints through Qt's real printing path into a PDF file, so
// that a test can read the printed text back.
class PdfPrinter final : public IPrinter {
public:
    explicit PdfPrinter(QString path) : m_path(std::move(path)) {}
    bool printDocument(const QTextDocument& document, QString* error) override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_path);
        return QtPrinter::printOn(printer, document, error);
    }

private:
    QString m_path;
};
