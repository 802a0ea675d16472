// A compression step that fails part way, put in place of deflate through
// ppdxSetDeflateCall by the store's tests and by the command filter built to
// fail: zlib has written part of the stream when the call reports an error.
#pragma once

#include <algorithm>

#include <zlib.h>

namespace filter_test {

inline int DeflateFailingPartWay(z_stream* stream, int flush) {
    stream->avail_out = std::min(stream->avail_out, 400u);
    deflate(stream, flush);
    return Z_STREAM_ERROR;
}

}  // namespace filter_test
