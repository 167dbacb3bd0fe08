#include "app/WebPanelOutput.h"

#include "app/FrameColumns.h"
#include "panel/CPanelCtrl.h"
#include "panel/PixelScale.h"
#include "web/WebPanelServer.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace vanemark {

namespace {

QByteArray Png(const QImage& picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // Qt's quality 80 is a light zlib level: a frame of the shipped layout
    // takes half the time of the default for twice its 1 KB, which a local
    // socket does not notice.
    constexpr int kQuality = 80;
    picture.save(&buffer, "PNG", kQuality);
    return png;
}

// A picture of more than 256 colours (a layout with a photograph, say): four
// bytes a pixel, the background keyed out where asked.
QByteArray TrueColourPicture(const QImage& full, QRgb key, bool transparentBackground)
{
    if (!transparentBackground) {
        return Png(full);
    }
    QImage picture = full.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if ((line[x] & RGB_MASK) == (key & RGB_MASK)) {
                line[x] = 0;
            }
        }
    }
    return Png(picture);
}

// The simulator's texts and the column names are Latin-1, as the recording keeps them.
QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonValue Number(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

} // namespace

WebPanelOutput::WebPanelOutput(const CPanelCtrl& panel)
    : panel(panel),
      server(std::make_unique<WebPanelServer>(
          [this](int scale, bool transparent) {
              return Picture(this->panel.Image(), this->panel.Colours()[PanelColours::Background], scale, transparent);
          },
          [this] { return ValuesJson(last); }))
{
}

WebPanelOutput::~WebPanelOutput() = default;

std::string WebPanelOutput::Apply(const settings::WebPanelSetting& web)
{
    const bool same = web == setting;
    setting = web;
    if (!web.enabled) {
        server->Stop();
        return {};
    }
    // Browsers that are watching keep their connections when nothing changed.
    if (same && server->IsRunning()) {
        return {};
    }
    WebPanelOptions options;
    options.port = static_cast<std::uint16_t>(web.port);
    options.allowOthers = web.allowOthers;
    if (!server->Start(options)) {
        return server->Error().toStdString();
    }
    return {};
}

bool WebPanelOutput::IsRunning() const
{
    return server->IsRunning();
}

std::vector<std::string> WebPanelOutput::Urls() const
{
    std::vector<std::string> urls;
    for (const QString& url : server->Urls()) {
        urls.push_back(url.toStdString());
    }
    return urls;
}

void WebPanelOutput::SetInterval(int milliseconds)
{
    server->SetFrameInterval(milliseconds);
}

void WebPanelOutput::Take(const Frame& frame, std::uint32_t /*nowMs*/)
{
    if (!server->IsRunning()) {
        return;
    }
    last = frame;
    // Whatever redrew the panel since the last frame (values, colours,
    // title), the browsers get it once.
    if (panel.PictureNumber() != pictureTold) {
        pictureTold = panel.PictureNumber();
        server->PanelChanged();
    }
}

QByteArray WebPanelOutput::Picture(const QImage& panel, Colour background, int scale, bool transparentBackground)
{
    if (panel.isNull()) {
        return {};
    }
    QImage enlarged;
    if (scale > 1) {
        EnlargeNearest(panel, scale, enlarged);
    }
    const QImage& full = scale > 1 ? enlarged : panel;
    const QRgb key = qRgb(background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF);
    // The panel is drawn in a handful of colours: as a palette picture the
    // encoder has a byte per pixel to filter and compress instead of four,
    // which makes a frame several times cheaper. The colours stay exact.
    QImage indexed(full.size(), QImage::Format_Indexed8);
    QList<QRgb> palette;
    QRgb lastColour = 0;
    int lastIndex = -1;
    const int width = full.width();
    const int height = full.height();
    for (int y = 0; y < height; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(full.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            QRgb colour = from[x] | 0xFF000000U;
            if (transparentBackground && (colour & RGB_MASK) == (key & RGB_MASK)) {
                colour = 0;
            }
            if (lastIndex < 0 || colour != lastColour) {
                lastIndex = static_cast<int>(palette.indexOf(colour));
                if (lastIndex < 0) {
                    if (palette.size() == 256) {
                        return TrueColourPicture(full, key, transparentBackground);
                    }
                    lastIndex = static_cast<int>(palette.size());
                    palette.push_back(colour);
                }
                lastColour = colour;
            }
            to[x] = static_cast<uchar>(lastIndex);
        }
    }
    indexed.setColorTable(palette);
    return Png(indexed);
}

QByteArray WebPanelOutput::ValuesJson(const Frame& frame)
{
    QJsonObject values;
    const FlightValues row = ColumnValues(frame);
    for (std::size_t i = 0; i < kFlightValueColumns.size(); ++i) {
        values.insert(Latin1(kFlightValueColumns[i].name), Number(row[i]));
    }
    values.insert(Latin1(kFlightAircraftColumn.name),
                  frame.aircraft ? QJsonValue(Latin1(*frame.aircraft)) : QJsonValue(QJsonValue::Null));
    for (std::size_t i = 0; i < kFlightHandColumns.size(); ++i) {
        values.insert(Latin1(kFlightHandColumns[i]), Number(frame.hand[i]));
    }
    return QJsonDocument(values).toJson(QJsonDocument::Compact);
}

} // namespace vanemark
