#pragma once

#include <QString>
#include <QTranslator>

#include <atomic>
#include <mutex>

// Qt's own words (its dialogs' buttons, the edit menus, the system's error texts) in
// Russian, read from Qt's catalog at the first word asked for rather than at start: the
// main window asks for none, and reading the catalog mapped a tenth of a megabyte.
// Any thread may ask.
class QtTranslations : public QTranslator
{
public:
    // `folder` holds Qt's catalogs, as qtbase_ru.qm.
    explicit QtTranslations(const QString &folder);
    // Out of the application before the catalog goes: another thread may be asking.
    ~QtTranslations() override;

    // Into the application, unread. Russian runs left to right: said here, so that Qt
    // does not look the direction up in the catalog as it is installed.
    void install();
    bool isRead() const { return m_read; }

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override;

private:
    const QTranslator &catalog() const;

    QString m_folder;
    mutable std::once_flag m_reading;
    mutable std::atomic_bool m_read = false;
    mutable QTranslator m_catalog; // made here, on the thread that owns this one
};
