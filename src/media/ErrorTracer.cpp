#include "media/ErrorTracer.h"

#include <mutex>
#include <unordered_map>

namespace tonlira {
namespace {

std::mutex registryMutex;
std::unordered_map<GstElement*, ErrorListener*> listeners;

// The outermost bin holding `element`, with a reference of its own.
gst::ElementPtr topLevel(GstElement* element) {
    gst::ElementPtr top(static_cast<GstElement*>(gst_object_ref(element)));
    while (GstObject* parent = gst_object_get_parent(GST_OBJECT(top.get()))) {
        if (!GST_IS_ELEMENT(parent)) {
            gst_object_unref(parent);
            break;
        }
        top.reset(GST_ELEMENT(parent));
    }
    return top;
}

// The "element-post-message-pre" hook: called for every message of every
// element in the process, so everything but an error returns at once.
void onPost(GstTracer*, guint64, GstElement* element, GstMessage* message) {
    if (GST_MESSAGE_TYPE(message) != GST_MESSAGE_ERROR || element == nullptr) {
        return;
    }
    const gst::ElementPtr top = topLevel(element);
    std::lock_guard lock(registryMutex);
    if (const auto found = listeners.find(top.get()); found != listeners.end()) {
        found->second->onPostedError(element);
    }
}

void installTracer() {
    static std::once_flag once;
    std::call_once(once, [] {
        const GType type =
            g_type_register_static_simple(GST_TYPE_TRACER, "TonliraErrorTracer", sizeof(GstTracerClass), nullptr,
                                          sizeof(GstTracer), nullptr, GTypeFlags{});
        // Lives as long as the process: GStreamer keeps calling it.
        auto* tracer = static_cast<GstTracer*>(gst_object_ref_sink(g_object_new(type, nullptr)));
        gst_tracing_register_hook(tracer, "element-post-message-pre", G_CALLBACK(&onPost));
    });
}

}  // namespace

void listenForErrors(GstElement* pipeline, ErrorListener* listener) {
    installTracer();
    std::lock_guard lock(registryMutex);
    listeners.insert_or_assign(pipeline, listener);
}

void stopListening(GstElement* pipeline, const ErrorListener* listener) {
    std::lock_guard lock(registryMutex);
    // A freed pipeline's address may already belong to a new one.
    if (const auto found = listeners.find(pipeline); found != listeners.end() && found->second == listener) {
        listeners.erase(found);
    }
}

}  // namespace tonlira
