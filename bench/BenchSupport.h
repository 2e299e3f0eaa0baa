#pragma once

// Timing and reporting shared by the benchmark programs. Every figure is the
// median of several repetitions, measured beside a baseline that does the same
// work a plainer way in the same run, and judged by the ratio of the two: the
// ratio holds on a slow or noisy machine where absolute times do not.

#include <QElapsedTimer>
#include <QLocale>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

namespace zol::bench {

// ZOL_BENCH_SMOKE=1 runs every measurement once at a small size: it proves the
// program still builds optimised and runs to its end (CI does this), and its
// figures mean nothing. Without it the benchmarks run at their full sizes.
inline bool isSmokeRun()
{
    static const bool smoke = qEnvironmentVariableIntValue("ZOL_BENCH_SMOKE") != 0;
    return smoke;
}

// The full size, or the small one in a smoke run.
template <typename N> N sized(N full, N smoke)
{
    return isSmokeRun() ? smoke : full;
}

// The number of repetitions of a measurement: one in a smoke run.
inline int rounds(int full)
{
    return sized(full, 1);
}

// Seconds taken by one call of `work`.
template <typename Work> double timeOnce(Work&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) * 1e-9;
}

inline double median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

struct Timings
{
    double figure = 0;
    double baseline = 0;
};

// The medians of `repetitions` timings of `figure` and of `baseline`, run in
// alternation (and alternating which goes first) so that drift in caches, CPU
// clock or disk favours neither side.
template <typename Figure, typename Baseline>
Timings measurePair(int repetitions, Figure&& figure, Baseline&& baseline)
{
    std::vector<double> a;
    std::vector<double> b;
    for (int i = 0; i < repetitions; ++i) {
        if (i % 2 == 0) {
            a.push_back(timeOnce(figure));
            b.push_back(timeOnce(baseline));
        } else {
            b.push_back(timeOnce(baseline));
            a.push_back(timeOnce(figure));
        }
    }
    return {median(std::move(a)), median(std::move(b))};
}

// "100,000": counts in the report are read by people.
inline QString count(qint64 n)
{
    return QLocale(QLocale::English).toString(n);
}

// A duration in the unit that keeps it readable.
inline QString duration(double seconds)
{
    if (seconds < 1e-3)
        return QString::number(seconds * 1e6, 'f', 1) + QStringLiteral(" µs");
    if (seconds < 1)
        return QString::number(seconds * 1e3, 'f', 3) + QStringLiteral(" ms");
    return QString::number(seconds, 'f', 3) + QStringLiteral(" s");
}

inline void print(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

// One judged measurement: what was timed, the baseline it is compared with,
// and the largest ratio figure / baseline that passes.
struct Measurement
{
    QString title;
    QString figureLabel;
    QString baselineLabel;
    Timings timings;
    double maxRatio = 1;
    QString note;       // optional extra line, e.g. the rows each side returned
    bool judged = true; // false: shown for reference, without PASS or FAIL
    // How the two figures read: durations unless said otherwise.
    QString (*format)(double) = duration;
};

// Prints the figure, the baseline, the ratio, the target and PASS or FAIL
// (neither in a smoke run). Returns whether it passed; a benchmark reports, it
// does not gate.
inline bool report(const Measurement& m)
{
    const double ratio = m.timings.baseline > 0 ? m.timings.figure / m.timings.baseline : 0;
    const bool pass = m.timings.baseline > 0 && ratio <= m.maxRatio;
    QString text = m.title + u'\n';
    text += QStringLiteral("    figure    %1  %2\n")
                .arg(m.format(m.timings.figure), -12)
                .arg(m.figureLabel);
    text += QStringLiteral("    baseline  %1  %2\n")
                .arg(m.format(m.timings.baseline), -12)
                .arg(m.baselineLabel);
    if (!m.note.isEmpty())
        text += QStringLiteral("    note      ") + m.note + u'\n';
    if (isSmokeRun()) {
        text += QStringLiteral("    ratio     %1  smoke run: small sizes, not judged\n\n")
                    .arg(QString::number(ratio, 'f', 2) + u'x', -12);
    } else if (m.judged) {
        text += QStringLiteral("    ratio     %1  target ≤ %2x  %3\n\n")
                    .arg(QString::number(ratio, 'f', 2) + u'x', -12)
                    .arg(QString::number(m.maxRatio, 'f', 2))
                    .arg(pass ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
    } else {
        text += QStringLiteral("    ratio     %1  for reference only\n\n")
                    .arg(QString::number(ratio, 'f', 2) + u'x', -12);
    }
    print(text);
    return pass;
}

// A benchmark's main: returns what `run` returns, or prints what stopped it
// (a failure to set up, thrown) under the benchmark's name and returns 1.
template <typename Run> int runOrSay(const char* name, Run&& run)
{
    try {
        return run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", name, error.what());
        return 1;
    }
}

} // namespace zol::bench
