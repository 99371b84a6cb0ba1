#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace stores {

// Whether a link at the file's own place is followed to the file it names,
// as a settings file kept with the user's dotfiles is, or refused, because
// someone else may have planted it to send us elsewhere.
enum class Links { Followed, Refused };

// Whether others may read a folder that is the user's own.
enum class Privacy { OthersMayRead, Private };

// Whether only the user can change what the folder at path holds: it is the
// user's, no other user may write in it, nor in a folder on the way to it
// unless that one is sticky (as /tmp is: there nobody moves what is ours),
// and every folder and link on the way is the user's or root's. The user's
// own group, on most systems the user alone, is not another user. A private
// folder may not even be read by others.
bool isOwnFolder(const QString &path, Privacy privacy);

// Opens path (flags and mode as for open(2)) without waiting on a pipe,
// which would hold the open until someone writes into it; -1 when it cannot
// be opened or is not a regular file.
int openPlainFile(const QString &path, int flags, Links links, mode_t mode = 0600);

// Clears a place where only a regular file belongs, such as a lock's, of
// anything else that is there: a link (removed, never followed), a pipe, an
// empty folder.
void clearForPlainFile(const QString &path);

// What lies at a path where a plain file belongs.
struct PlainFileRead
{
    enum Outcome {
        Read,    // a regular file of at most the size asked for: bytes holds it
        Missing, // nothing, or a followed link to nothing
        Refused, // anything else, also a file that grew too big while read
    };
    Outcome outcome = Refused;
    QByteArray bytes;
};

// Reads the whole file, opened as openPlainFile opens it.
PlainFileRead readPlainFile(const QString &path, qsizetype maxBytes, Links links = Links::Refused);

// Writes bytes to a new file at path, where nothing may lie yet, in full
// and flushed to the disk; false, with nothing left at path, when any of
// that fails. The file gets mode, less the umask.
bool createPlainFile(const QString &path, const QByteArray &bytes, mode_t mode = 0666);

// Puts a file holding bytes in path's place at once, or in the place of the
// file a link there names when links are followed. The bytes go to a new
// file beside it first, in full and flushed to the disk, so that a failed
// write, on a full disk say, leaves the old file as it was. The new file
// keeps the old one's permissions; a file that is new gets mode, less the
// umask.
bool replacePlainFile(const QString &path, const QByteArray &bytes, Links links, mode_t mode = 0666);

} // namespace stores
