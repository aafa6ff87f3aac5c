#pragma once
// A line plot as a small SVG file: a few series over the same x values, for the README.

#include <QString>
#include <QStringList>
#include <vector>

namespace bench {

struct PlotSeries {
    QString name;
    QString colour; // "#1f77b4"
    std::vector<double> y;
};

struct Plot {
    QString title, xLabel, yLabel;
    std::vector<double> x;
    std::vector<PlotSeries> series;
};

QByteArray svgOf(const Plot& plot);
QString thousands(double v);                          // "10,000"
bool writeSvg(const Plot& plot, const QString& path); // false when the file could not be written

} // namespace bench
