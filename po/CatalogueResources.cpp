// The compiled catalogues are linked in as Qt resources by the build; this translation unit only gives the
// library a source of its own.
namespace {
[[maybe_unused]] constexpr int catalogueResourcesPresent = 1;
}
