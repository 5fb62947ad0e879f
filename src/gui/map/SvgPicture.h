#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>

#include <memory>

class SvgPaintEngine;

// A picture painted into SVG text: paths, shapes, text and pictures, each with its pen,
// brush and transformation. The map's SVG files are written with it: Qt's SVG module is
// not in the Windows build, and elsewhere it would be one more library to load at start.
class SvgPicture : public QPaintDevice
{
public:
    SvgPicture(const QSize &size, const QString &title, const QString &description);
    ~SvgPicture() override;

    QPaintEngine *paintEngine() const override;
    // The whole document, once the painter has ended.
    QByteArray document() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    QString m_title;
    QString m_description;
    std::unique_ptr<SvgPaintEngine> m_engine;
};
