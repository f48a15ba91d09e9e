"""The report kinds, one module each: a module `foo_bar.py` is the kind "foo-bar" (its folder
under tests/data/clean and its sample samples/foo-bar.txt), and holds

    build(rng, variant) -> (doc, description[, record_definition])

which draws a report from rng: the fixed sample when variant is False (the same report on every
run), an unseen variant when it is True."""

import importlib
import pkgutil


def names() -> list:
    """Every kind's name, in the order of their module names."""
    return [m.name.replace("_", "-") for m in sorted(pkgutil.iter_modules(__path__),
                                                       key=lambda m: m.name)]


def builder(kind: str):
    """The build function of a kind."""
    return importlib.import_module(f"{__name__}.{kind.replace('-', '_')}").build
