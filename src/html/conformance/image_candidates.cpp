#include "html/conformance/image_candidates.h"

#include "html/conformance/url_syntax.h"
#include "html/conformance/value_syntax.h"

#include <QHash>

namespace {

struct Candidate
{
    QStringView url;
    qsizetype urlPosition = 0;
    QList<QStringView> descriptors;
    QList<qsizetype> descriptorPositions;
};

// Splits a srcset as browsers do: an address runs to the next blank, commas at its end close
// the candidate, else descriptors follow up to the next comma. Exactly one comma stands between
// two candidates, none before the first or after the last.
ValueCheck splitCandidates(QStringView value, QList<Candidate> *candidates)
{
    qsizetype i = 0;
    qsizetype commas = 0;
    for (;;) {
        const qsizetype separatorStart = i;
        while (i < value.size() && (isHtmlSpace(value[i]) || value[i] == u',')) {
            if (value[i] == u',')
                ++commas;
            ++i;
        }
        if (i == value.size()) {
            if (commas > 0 && !candidates->isEmpty())
                return valueProblem("srcset-empty-candidate", separatorStart, i - separatorStart);
            return {};
        }
        if (commas != (candidates->isEmpty() ? 0 : 1))
            return valueProblem("srcset-empty-candidate", separatorStart, i - separatorStart);
        commas = 0;
        Candidate candidate;
        candidate.urlPosition = i;
        while (i < value.size() && !isHtmlSpace(value[i]))
            ++i;
        candidate.url = value.sliced(candidate.urlPosition, i - candidate.urlPosition);
        if (candidate.url.endsWith(u',')) {
            while (candidate.url.endsWith(u',')) {
                candidate.url.chop(1);
                ++commas;
            }
            candidates->append(candidate);
            continue;
        }
        for (;;) {
            while (i < value.size() && isHtmlSpace(value[i]))
                ++i;
            if (i == value.size() || value[i] == u',')
                break;
            const qsizetype start = i;
            while (i < value.size() && !isHtmlSpace(value[i]) && value[i] != u',')
                ++i;
            candidate.descriptors.append(value.sliced(start, i - start));
            candidate.descriptorPositions.append(start);
        }
        candidates->append(candidate);
    }
}

} // namespace

ValueCheck checkSrcset(QStringView value, bool hasSizes)
{
    QList<Candidate> candidates;
    if (ValueCheck problem = splitCandidates(value, &candidates))
        return problem;
    if (candidates.isEmpty())
        return valueProblem("srcset-empty", 0, value.size());
    QHash<QString, QStringView> seen; // "2x", "480w" -> the address that has it
    bool anyWidth = false;
    for (const Candidate &candidate : std::as_const(candidates)) {
        if (ValueCheck problem = checkUrl(candidate.url))
            return shifted(problem, candidate.urlPosition);
        if (candidate.descriptors.size() > 1)
            return valueProblem("srcset-descriptors", candidate.descriptorPositions[1],
                                candidate.descriptors[1].size(), candidate.descriptors[1].toString());
        QString descriptor = QStringLiteral("1x");
        qsizetype position = candidate.urlPosition;
        qsizetype length = candidate.url.size();
        if (!candidate.descriptors.isEmpty()) {
            const QStringView text = candidate.descriptors.first();
            position = candidate.descriptorPositions.first();
            length = text.size();
            const QChar kind = text.back();
            const QStringView number = text.first(text.size() - 1);
            ValueCheck problem;
            if (kind == u'w')
                problem = checkPositiveInteger(number);
            else if (kind == u'x')
                problem = checkPositiveFloatingPoint(number);
            else
                return valueProblem("srcset-descriptor", position, length, text.toString());
            if (problem)
                return valueProblem("srcset-descriptor", position, length, text.toString());
            // Compare numbers, not their spelling: "2x" and "2.0x" are the same density.
            descriptor = kind == u'w' ? QString::number(number.toLongLong()) + u'w'
                                      : QString::number(number.toDouble()) + u'x';
        }
        const bool width = descriptor.endsWith(u'w');
        anyWidth = anyWidth || width;
        if (hasSizes && !width)
            return valueProblem("srcset-width-expected", position, length, candidate.url.toString());
        if (seen.contains(descriptor))
            return valueProblem(width ? "srcset-duplicate-width" : "srcset-duplicate-density", position, length,
                                seen.value(descriptor).toString());
        seen.insert(descriptor, candidate.url);
    }
    if (anyWidth && !hasSizes)
        return valueProblem("srcset-needs-sizes", 0, value.size());
    return {};
}
