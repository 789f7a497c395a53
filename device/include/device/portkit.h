#ifndef VESK_DEVICE_PORTKIT_H
#define VESK_DEVICE_PORTKIT_H

/*
 * The device access library "portkit.so": everything the programs exchange
 * with the mouse goes through these seven functions, which the programs
 * resolve by name at run time (see device/PortkitLibrary.h).
 *
 * Calling order: Open_DevMonitor; Open_FeatureDevice (at start and after each
 * arrival); any number of SetFeature / GetFeature; Close_FeatureDevice (on
 * removal); at shutdown Close_DevMonitor, then Close_FeatureDevice.
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define PORTKIT_EXPORT __attribute__((visibility("default")))
#else
#define PORTKIT_EXPORT
#endif

/* A window of the platform layer (platform::HWND). */
typedef uint64_t PortkitWindow;

/*
 * From now on the library posts to `window`: `eventMessage` with
 * wParam = event type (high 16 bits of the device event) and
 * lParam = event value (low 16 bits) for every event the mouse reports, and
 * `plugMessage` with wParam = 1 when the mouse arrived, 0 when it went away.
 * The messages are posted from the library's own thread.
 */
PORTKIT_EXPORT void Open_DevMonitor(PortkitWindow window, unsigned int eventMessage,
                                    unsigned int plugMessage);
/* No further messages are posted once this returns. */
PORTKIT_EXPORT void Close_DevMonitor(void);
/* Nonzero when the mouse was found and opened for feature reports. */
PORTKIT_EXPORT int Open_FeatureDevice(void);
PORTKIT_EXPORT void Close_FeatureDevice(void);
/* Sends buffer[0..length) as a feature report; buffer[0] is the report id.
 * Nonzero when sent. */
PORTKIT_EXPORT int SetFeature(unsigned char* buffer, int length);
/* buffer[0] holds the report id; on success buffer[0..length) holds the
 * report, id included. Nonzero when received. */
PORTKIT_EXPORT int GetFeature(unsigned char* buffer, int length);
/* USB product id of the mouse in use, 0 when none is open. */
PORTKIT_EXPORT int GetMousePID(void);

/*
 * Optional: the loader hands the library the program's own way to post a
 * window message. A library linked with its own copy of the platform layer
 * would otherwise not know the windows of the program that loaded it. The
 * poster returns nonzero when the message was queued; it may be called from
 * any thread.
 */
typedef int (*PortkitPostMessageFn)(PortkitWindow window, unsigned int message, uintptr_t wParam,
                                    intptr_t lParam);
PORTKIT_EXPORT void Portkit_SetMessagePoster(PortkitPostMessageFn poster);

#ifdef __cplusplus
}
#endif

#endif /* VESK_DEVICE_PORTKIT_H */
