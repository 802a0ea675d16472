// The forwarding rule of the service's operations, written once: the part's
// operation of the same name when the part exists; otherwise the family's
// code stored in the last error and the fallback result (none for an
// operation without one). Output arguments are then the caller's to keep.
// Included by the service's family files only, each naming its part:
//
//   #define MEDIA(call, ...) JSE_FORWARD(m_media, kServiceNoMedia, call __VA_OPT__(, ) __VA_ARGS__)
//   bool JSE_Service::JSE_Media_DeletePaper(int i) { return MEDIA(JSE_Media_DeletePaper(i), false); }
#pragma once

#define JSE_FORWARD(part, code, call, ...) ((part) ? (part)->call : Missing(code __VA_OPT__(, ) __VA_ARGS__))

// The same for the operations that store no code when their part is missing.
#define JSE_FORWARD_QUIETLY(part, call, ...) ((part) ? (part)->call : service_forward::Quietly(__VA_ARGS__))

namespace service_forward {

inline void Quietly() {}
template <class T>
T Quietly(T fallback) {
    return fallback;
}

}  // namespace service_forward

// Gives the number outputs of a getter a defined value, 0, when its part is
// missing, so that a caller never reads what it did not set.
template <class Part, class... Out>
void ZeroWhenMissing(const Part& part, Out&... outputs) {
    if (!part) ((outputs = Out{}), ...);
}
