#pragma once

#include <QIODevice>

#include <cstdio>

namespace zol::cli {

// Standard output or error as the command line writes to it: whatever text
// it prints (names and notes from the books, from other computers' files, or
// from older versions that let anything in) reaches the terminal without a
// control character that the terminal would act on. Line feeds and tabs pass.
class TerminalOutput final : public QIODevice
{
public:
    explicit TerminalOutput(std::FILE* stream);
    ~TerminalOutput() override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    std::FILE* m_stream;
    // The first byte of a two-byte character that the last write ended on.
    QByteArray m_pending;
};

} // namespace zol::cli
