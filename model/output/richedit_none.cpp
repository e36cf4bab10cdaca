// Without the platform's window layer there is no rich-edit device.
#include <vyr/model/output/output_impl.h>

namespace vyr::output {

std::shared_ptr<Document> MakeRichEditDocument(CWnd* /*pWnd*/) { return nullptr; }

} // namespace vyr::output
