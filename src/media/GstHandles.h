#pragma once
// Owning handles for GStreamer references. Every reference the engine takes
// is held by one of these, so early returns cannot leak.

#include <gst/gst.h>

#include <memory>

namespace tonlira::gst {

struct ObjectUnref {
    void operator()(gpointer object) const { gst_object_unref(object); }
};
struct MessageUnref {
    void operator()(GstMessage* message) const { gst_message_unref(message); }
};
struct CapsUnref {
    void operator()(GstCaps* caps) const { gst_caps_unref(caps); }
};
struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
struct TagListUnref {
    void operator()(GstTagList* tags) const { gst_tag_list_unref(tags); }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};

using ElementPtr = std::unique_ptr<GstElement, ObjectUnref>;
using BusPtr = std::unique_ptr<GstBus, ObjectUnref>;
using PadPtr = std::unique_ptr<GstPad, ObjectUnref>;
using FeaturePtr = std::unique_ptr<GstPluginFeature, ObjectUnref>;
using MessagePtr = std::unique_ptr<GstMessage, MessageUnref>;
using CapsPtr = std::unique_ptr<GstCaps, CapsUnref>;
using ErrorPtr = std::unique_ptr<GError, ErrorFree>;
using CharPtr = std::unique_ptr<gchar, GFree>;
using TagListPtr = std::unique_ptr<GstTagList, TagListUnref>;

// Takes a reference that was handed over floating (fresh from a factory) and
// makes it owned by the handle.
inline ElementPtr adoptFloating(GstElement* element) {
    if (element != nullptr) {
        gst_object_ref_sink(element);
    }
    return ElementPtr(element);
}

// Sets the element to NULL, which joins its streaming threads, then drops
// the reference.
struct PipelineRelease {
    void operator()(GstElement* pipeline) const {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }
};
using PipelinePtr = std::unique_ptr<GstElement, PipelineRelease>;

// A new, empty pipeline; null if GStreamer cannot make one.
inline PipelinePtr newPipeline() {
    GstElement* pipeline = gst_pipeline_new(nullptr);
    return PipelinePtr(pipeline != nullptr ? static_cast<GstElement*>(gst_object_ref_sink(pipeline)) : nullptr);
}

}  // namespace tonlira::gst
