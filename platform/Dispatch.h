#pragma once
/* The binary convention between the program and a component it creates by class identifier.
 * A component library exports one C function, MW_CREATE_OBJECT_SYMBOL, that makes a dispatch
 * object for a class it implements. Methods are then called by dispatch id with positional
 * arguments; a failed call returns non-zero and leaves a message in the caller's buffer.
 * Plain C so that a component needs nothing of the program to be built. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum MwArgType { MW_ARG_I2 = 2 /* 16-bit signed integer */ };

typedef struct MwArg {
    int32_t type;
    int16_t i2;
} MwArg;

/* Handed to the component when it is created. */
typedef struct MwCreateInfo {
    uint32_t size;              /* sizeof(MwCreateInfo), for later growth */
    const unsigned char* state; /* the control state the host stores for the component */
    uint32_t stateLength;
    /* Where host and component exchange their files: a file in a folder only this user may
     * enter, made by the host; the component reads and rewrites it, never anything else. */
    const char* exchangePath;
} MwCreateInfo;

typedef struct MwDispatch MwDispatch;
struct MwDispatch {
    int (*invoke)(MwDispatch* self, int32_t dispid, const MwArg* args, int32_t argc, char* error,
                  uint32_t errorSize);
    void (*release)(MwDispatch* self);
};

typedef MwDispatch* (*MwCreateObjectFn)(const char* classId, const MwCreateInfo* info, char* error,
                                        uint32_t errorSize);

#define MW_CREATE_OBJECT_SYMBOL "mw_create_object"

#ifdef __cplusplus
}
#endif
