#include "platform/RegularFileRead.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileRead readRegularFile(const QString& path, qint64 maximumSize) {
    RegularFileRead result;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            result.outcome = RegularFileRead::Outcome::Failed;
            result.error = errno;
        }
        return result;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        result.outcome = RegularFileRead::Outcome::NotRegular;
        return result;
    }
    if (status.st_size > maximumSize) {
        ::close(fd);
        result.outcome = RegularFileRead::Outcome::TooLarge;
        return result;
    }
    // One byte more than expected tells a file that grew meanwhile.
    QByteArray bytes(qsizetype(status.st_size + 1), Qt::Uninitialized);
    qsizetype got = 0;
    result.outcome = RegularFileRead::Outcome::Read;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.outcome = RegularFileRead::Outcome::Failed;
            result.error = errno;
            break;
        }
        if (n == 0)
            break;
        got += n;
        if (got == bytes.size() && got <= maximumSize)
            bytes.resize(qsizetype(qMin<qint64>(2 * got, maximumSize + 1)));
    }
    ::close(fd);
    if (result.outcome == RegularFileRead::Outcome::Read && got > maximumSize)
        result.outcome = RegularFileRead::Outcome::TooLarge;
    if (result.outcome == RegularFileRead::Outcome::Read) {
        bytes.truncate(got);
        result.bytes = std::move(bytes);
    }
    return result;
}
