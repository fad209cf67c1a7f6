// The page check's helper: reads a page as UTF-8 on its standard input, checks it as the HTML
// standard judges it and writes the messages on its standard output. It runs in a process of its
// own, so that a fault of the check on some page never takes the editor and its page with it.
//
//     tagschmied-check [--ordner FOLDER]
//
// FOLDER is where the page's relative links and pictures are looked up; without it they are not.

#include "html/check_protocol.h"
#include "html/conformance/page_conformance.h"

#include <QString>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    ConformanceOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ordner") == 0 && i + 1 < argc) {
            options.pageFolder = QString::fromLocal8Bit(argv[++i]);
        } else {
            std::fprintf(stderr, "tagschmied-check: unbekanntes Argument %s\n", argv[i]);
            return 2;
        }
    }

    QByteArray page;
    char chunk[65536];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;)
        page.append(chunk, qsizetype(n));

    const QList<CheckMessage> messages = checkPage(QString::fromUtf8(page), options);
    QByteArray answer;
    answer.reserve(messages.size() * 64 + 16);
    for (const CheckMessage &message : messages)
        answer += encodeCheckMessage(message);
    answer += encodeCheckEnd(messages.size());
    std::fwrite(answer.data(), 1, size_t(answer.size()), stdout);
    std::fflush(stdout);
    return 0;
}
