#ifndef PTYLINEMARKER_H
#define PTYLINEMARKER_H

/*
 * A pseudo-terminal has no UART: the kernel drops PARENB and forces CS8.
 * The ztptyline interposer keeps the frame format a program asked for in the
 * pty's window size, which both ends of the pty share, so the master side
 * can see it:
 *   ws_xpixel = ZT_PTYLINE_MAGIC
 *   ws_ypixel = bits 0-1 parity (0 none, 1 odd, 2 even),
 *               bit 2 stick parity (CMSPAR: mark = odd + stick, space = even + stick),
 *               bits 4-7 data bits (5 to 8)
 * Without the magic the line is 8 data bits, no parity.
 */

#include <sys/ioctl.h>

#define ZT_PTYLINE_MAGIC 0x7A74u

enum {
    ZT_PTYLINE_PARITY_NONE = 0,
    ZT_PTYLINE_PARITY_ODD = 1,
    ZT_PTYLINE_PARITY_EVEN = 2
};

struct ztPtyLineFormat
{
    int parity;
    int stick;
    int dataBits;
};

static inline unsigned short ztPtyLineEncode(const struct ztPtyLineFormat *format)
{
    return (unsigned short)((format->parity & 3) | (format->stick ? 4 : 0) | ((format->dataBits & 15) << 4));
}

/* Returns 0 and leaves *format untouched when the window size carries no marker. */
static inline int ztPtyLineDecode(const struct winsize *ws, struct ztPtyLineFormat *format)
{
    if (ws->ws_xpixel != ZT_PTYLINE_MAGIC)
        return 0;
    format->parity = ws->ws_ypixel & 3;
    format->stick = (ws->ws_ypixel & 4) != 0;
    format->dataBits = (ws->ws_ypixel >> 4) & 15;
    return 1;
}

#endif
