#include "svg_plot.h"

#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace bench {

namespace {
constexpr double Width = 640, Height = 400;
constexpr double Left = 70, Right = 170, Top = 40, Bottom = 60; // margins: the legend is on the right

QString num(double v)
{
    return QString::number(v, 'f', 1);
}

// A round step that cuts 0..top into about five.
double stepFor(double top)
{
    const double raw = top / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * power >= raw)
            return m * power;
    return 10 * power;
}

QString escaped(QString text)
{
    return text.replace(u'&', QLatin1String("&amp;")).replace(u'<', QLatin1String("&lt;"));
}
} // namespace

QString thousands(double v)
{
    QString digits = QString::number(v, 'f', 0);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return digits;
}

QByteArray svgOf(const Plot& plot)
{
    double xMax = 1, yMax = 1;
    for (double x : plot.x)
        xMax = std::max(xMax, x);
    for (const PlotSeries& s : plot.series)
        for (double y : s.y)
            yMax = std::max(yMax, y);
    const double yStep = stepFor(yMax * 1.05);
    yMax = std::ceil(yMax * 1.05 / yStep) * yStep;
    const double w = Width - Left - Right, h = Height - Top - Bottom;
    const auto px = [&](double x) { return Left + x / xMax * w; };
    const auto py = [&](double y) { return Top + h - y / yMax * h; };

    QString s;
    s += QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                        "font-family=\"sans-serif\" font-size=\"12\">\n")
             .arg(Width)
             .arg(Height);
    s += QStringLiteral("<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n");
    s += QStringLiteral("<text x=\"%1\" y=\"22\" font-size=\"14\">%2</text>\n")
             .arg(Left)
             .arg(escaped(plot.title));
    for (double y = 0; y <= yMax + yStep / 2; y += yStep)
        s += QStringLiteral("<line x1=\"%1\" x2=\"%2\" y1=\"%3\" y2=\"%3\" stroke=\"#ddd\"/>"
                            "<text x=\"%4\" y=\"%5\" text-anchor=\"end\">%6</text>\n")
                 .arg(num(Left), num(Left + w), num(py(y)), num(Left - 6), num(py(y) + 4))
                 .arg(thousands(y));
    double lastLabel = -1e9;
    bool lowered = false;
    for (double x : plot.x) {
        // A label too close to the one before goes a line lower, so that both can be read.
        lowered = !lowered && px(x) - lastLabel < 40;
        lastLabel = px(x);
        s += QStringLiteral("<line x1=\"%1\" x2=\"%1\" y1=\"%2\" y2=\"%3\" stroke=\"#ddd\"/>"
                            "<text x=\"%1\" y=\"%4\" text-anchor=\"middle\">%5</text>\n")
                 .arg(num(px(x)), num(Top), num(Top + h), num(Top + h + (lowered ? 30 : 16)))
                 .arg(thousands(x));
    }
    s += QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">%3</text>\n")
             .arg(num(Left + w / 2), num(Height - 10), escaped(plot.xLabel));
    s += QStringLiteral("<text transform=\"translate(18 %1) rotate(-90)\" text-anchor=\"middle\">%2</text>\n")
             .arg(num(Top + h / 2), escaped(plot.yLabel));
    for (size_t i = 0; i < plot.series.size(); ++i) {
        const PlotSeries& series = plot.series[i];
        QStringList points;
        for (size_t k = 0; k < series.y.size() && k < plot.x.size(); ++k) {
            points << num(px(plot.x[k])) + u',' + num(py(series.y[k]));
            s += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"3\" fill=\"%3\"/>\n")
                     .arg(num(px(plot.x[k])), num(py(series.y[k])), series.colour);
        }
        s += QStringLiteral("<polyline fill=\"none\" stroke-width=\"2\" stroke=\"%1\" points=\"%2\"/>\n")
                 .arg(series.colour, points.join(u' '));
        const double ly = Top + 10 + double(i) * 20;
        s += QStringLiteral("<line x1=\"%1\" x2=\"%2\" y1=\"%3\" y2=\"%3\" stroke-width=\"2\" stroke=\"%4\"/>"
                            "<text x=\"%5\" y=\"%6\">%7</text>\n")
                 .arg(num(Left + w + 12), num(Left + w + 32), num(ly), series.colour, num(Left + w + 38),
                      num(ly + 4), escaped(series.name));
    }
    s += QStringLiteral("</svg>\n");
    return s.toUtf8();
}

bool writeSvg(const Plot& plot, const QString& path)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(svgOf(plot)) >= 0 && file.commit();
}

} // namespace bench
