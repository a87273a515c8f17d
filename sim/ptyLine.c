/*
 * Interposer of tcsetattr/tcgetattr that gives pseudo-terminal slaves the
 * parity and data bits a UART would have. The kernel pty driver drops PARENB
 * and forces CS8, and glibc then reports EINVAL, so a serial port library
 * refuses 8E1/8O1 on a pty. Here the requested format is kept in the pty's
 * window size (see ptyLineMarker.h), where the master side can read it, and
 * handed back by tcgetattr. Every other descriptor is passed through.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

#include "ptyLineMarker.h"

#define PTY_SLAVE_FIRST_MAJOR 136u
#define PTY_SLAVE_LAST_MAJOR 143u
#define FORMAT_BITS (PARENB | PARODD | CMSPAR | CSIZE)

typedef int (*setAttrFn)(int, int, const struct termios *);
typedef int (*getAttrFn)(int, struct termios *);

static void *realSymbol(void **slot, const char *name)
{
    void *fn = __atomic_load_n(slot, __ATOMIC_ACQUIRE);
    if (fn)
        return fn;
    fn = dlsym(RTLD_NEXT, name);
    __atomic_store_n(slot, fn, __ATOMIC_RELEASE);
    return fn;
}

static setAttrFn realSetAttr(void)
{
    static void *slot;
    return (setAttrFn)realSymbol(&slot, "tcsetattr");
}

static getAttrFn realGetAttr(void)
{
    static void *slot;
    return (getAttrFn)realSymbol(&slot, "tcgetattr");
}

static int isPtySlave(int fd)
{
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return 0;
    return major(st.st_rdev) >= PTY_SLAVE_FIRST_MAJOR && major(st.st_rdev) <= PTY_SLAVE_LAST_MAJOR;
}

static int dataBitsOf(tcflag_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

static tcflag_t sizeFlagOf(int dataBits)
{
    switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

static struct ztPtyLineFormat formatOf(tcflag_t cflag)
{
    struct ztPtyLineFormat format = {ZT_PTYLINE_PARITY_NONE, 0, dataBitsOf(cflag)};
    if (!(cflag & PARENB))
        return format;
    format.parity = (cflag & PARODD) ? ZT_PTYLINE_PARITY_ODD : ZT_PTYLINE_PARITY_EVEN;
    format.stick = (cflag & CMSPAR) != 0;
    return format;
}

static tcflag_t cflagOf(const struct ztPtyLineFormat *format)
{
    tcflag_t cflag = sizeFlagOf(format->dataBits);
    if (format->parity == ZT_PTYLINE_PARITY_NONE)
        return cflag;
    cflag |= PARENB;
    if (format->parity == ZT_PTYLINE_PARITY_ODD)
        cflag |= PARODD;
    if (format->stick)
        cflag |= CMSPAR;
    return cflag;
}

static int sameFormat(const struct ztPtyLineFormat *a, const struct ztPtyLineFormat *b)
{
    return a->parity == b->parity && a->stick == b->stick && a->dataBits == b->dataBits;
}

static void storeFormat(int fd, const struct ztPtyLineFormat *format)
{
    struct winsize ws;
    if (ioctl(fd, TIOCGWINSZ, &ws) != 0)
        return;
    struct ztPtyLineFormat stored = {ZT_PTYLINE_PARITY_NONE, 0, 8};
    ztPtyLineDecode(&ws, &stored);
    /* An unchanged format leaves the window size alone, so that ordinary
       terminals never see the marker nor a SIGWINCH. */
    if (sameFormat(&stored, format))
        return;
    ws.ws_xpixel = ZT_PTYLINE_MAGIC;
    ws.ws_ypixel = ztPtyLineEncode(format);
    ioctl(fd, TIOCSWINSZ, &ws);
}

int tcsetattr(int fd, int actions, const struct termios *termios_p)
{
    setAttrFn real = realSetAttr();
    if (!termios_p || !isPtySlave(fd))
        return real(fd, actions, termios_p);
    struct termios wire = *termios_p;
    wire.c_cflag = (wire.c_cflag & ~FORMAT_BITS) | CS8;
    if (real(fd, actions, &wire) != 0 && errno != EINVAL)
        return -1;
    struct ztPtyLineFormat format = formatOf(termios_p->c_cflag);
    storeFormat(fd, &format);
    return 0;
}

int tcgetattr(int fd, struct termios *termios_p)
{
    if (realGetAttr()(fd, termios_p) != 0)
        return -1;
    if (!isPtySlave(fd))
        return 0;
    struct winsize ws;
    struct ztPtyLineFormat format;
    if (ioctl(fd, TIOCGWINSZ, &ws) != 0 || !ztPtyLineDecode(&ws, &format))
        return 0;
    termios_p->c_cflag = (termios_p->c_cflag & ~FORMAT_BITS) | cflagOf(&format);
    return 0;
}
