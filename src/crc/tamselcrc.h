#ifndef TAMSELCRC_H
#define TAMSELCRC_H

#include <stdint.h>

#if defined(_WIN32)
#  if defined(TAMSELCRC_BUILDING)
#    define TAMSELCRC_API __declspec(dllexport)
#  else
#    define TAMSELCRC_API __declspec(dllimport)
#  endif
#  if defined(_M_IX86) || defined(__i386__)
#    define TAMSELCRC_CALL __stdcall
#  else
#    define TAMSELCRC_CALL
#  endif
#else
#  define TAMSELCRC_API __attribute__((visibility("default")))
#  define TAMSELCRC_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* CRC-16/XMODEM of the first `count` bytes at `data`; a count of 0 reads nothing. */
TAMSELCRC_API uint16_t TAMSELCRC_CALL GetCRC(const uint8_t* data, uint8_t count);

#ifdef __cplusplus
}
#endif

#endif
