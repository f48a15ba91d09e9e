// Keeps the library non-empty until its first writer lands; remove when adding sources.
namespace tablamo {}
