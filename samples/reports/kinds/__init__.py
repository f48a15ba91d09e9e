"""The report kinds, one module each: a module `foo_bar.py` is the kind "foo-bar" (its folder
under tests/data/clean and its sample samples/foo-bar.txt), and holds

    build(rng, variant) -> (doc, description[, record_definition])

which draws a report from rng: the fixed sample when variant is False (the same report on every
run), an unseen variant when it is True. A twin of another kind instead names it (TWIN) and
holds twin(doc, description[, record_definition]), which makes the other kind's report, drawn
with the same seed, into its own."""

import importlib
import pkgutil


def names() -> list:
    """Every kind's name, in the order of their module names."""
    return [m.name.replace("_", "-") for m in sorted(pkgutil.iter_modules(__path__),
                                                       key=lambda m: m.name)]


def module(kind: str):
    return importlib.import_module(f"{__name__}.{kind.replace('-', '_')}")


def builder(kind: str):
    """The build function of a kind."""
    return module(kind).build
