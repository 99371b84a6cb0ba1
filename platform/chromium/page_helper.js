// Vorlane's helper in its own isolated world of a page: page scripts cannot
// see it, and the built-ins it uses are this world's own, so a page that
// redefines prototypes or globals cannot change what it reads.
'use strict';
(() => {
  if (globalThis.__vorlane) return;

  const CHUNK = 1 << 18; // UTF-16 units per reply; keeps messages small
  const BULK = 4 * CHUNK; // the texts of one bulk answer, about
  // Each $NAME$ is a number that the C++ side fills in, so that its decoder
  // reads our answers by the same numbers.
  const SHORT = $SHORT_TEXT$; // texts up to this long are sent once per bulk answer
  const MEMBER_NOT_FOUND = $MEMBER_NOT_FOUND$, OBJECT_NOT_SET = $OBJECT_NOT_SET$, FAILURE = $AUTOMATION_FAILURE$;

  const collections = {
    all: () => document.all,
    links: () => document.links,
    images: () => document.images,
    forms: () => document.forms,
    frames: () => document.querySelectorAll('frame,iframe'),
  };

  // Element identities for the life of this document; an element's uniqueID
  // is UID and its key.
  const UID = 'vorlane_uid';
  const keyOf = new WeakMap();
  const byKey = new Map();
  let nextKey = 1;
  const keyFor = (el) => {
    let key = keyOf.get(el);
    if (key === undefined) {
      key = nextKey++;
      keyOf.set(el, key);
      byKey.set(key, new WeakRef(el));
    }
    return key;
  };

  class Fault {
    constructor(number, text) { this.number = number; this.text = text; }
  }

  const resolve = (ref) => {
    const el = ref.k !== undefined ? byKey.get(ref.k)?.deref() : collections[ref.c]()[ref.i];
    if (!el) throw new Fault(OBJECT_NOT_SET, 'no element');
    return el;
  };

  // Members are found without regard to case, so that the spellings our
  // callers use (innerhtml, TagName) reach the DOM's own.
  const memberNames = new WeakMap();
  const findMember = (el, name) => {
    if (name in el) return name;
    const proto = Object.getPrototypeOf(el);
    let names = memberNames.get(proto);
    if (!names) {
      names = new Map();
      for (let o = proto; o; o = Object.getPrototypeOf(o))
        for (const k of Object.getOwnPropertyNames(o)) {
          const lower = k.toLowerCase();
          if (!names.has(lower)) names.set(lower, k);
        }
      memberNames.set(proto, names);
    }
    return names.get(name.toLowerCase());
  };

  const plain = (v) => {
    if (v === null || v === undefined) return null;
    if (typeof v === 'string' || typeof v === 'number' || typeof v === 'boolean') return v;
    return String(v);
  };

  // What one member of one element reads as. Properties that page scripts
  // added are not visible from this world; an attribute of that name stands
  // in for them, so that custom members written in the mark-up still read.
  const read = (el, member) => {
    const v = memberReader(member, attributeTest)(el);
    if (v === MISSING) throw new Fault(MEMBER_NOT_FOUND, member);
    return v;
  };

  // The same for many elements, MISSING where the element lacks the member.
  // The member's name is looked up once per kind of element, and the name
  // found is tried first on every element: the kinds differ in which DOM
  // members they have, never in how a member is spelt.
  const MISSING = Symbol('missing');
  const memberReader = (member, makeAttributeTest) => {
    if (member.toLowerCase() === 'uniqueid') return (el) => UID + keyFor(el);
    const names = new Map(); // prototype -> member name, null when it has none
    let spelling, attributed;
    return (el) => {
      if (spelling !== undefined) {
        const v = el[spelling];
        if (v !== undefined) return plain(v);
      }
      const proto = Object.getPrototypeOf(el);
      let name = names.get(proto);
      if (name === undefined) {
        name = findMember(el, member) ?? null;
        names.set(proto, name);
      }
      if (name !== null) {
        spelling = name;
        return plain(el[name]);
      }
      if (!attributed) attributed = makeAttributeTest(member);
      return attributed(el) ? el.getAttribute(member) : MISSING;
    };
  };

  // Whether an element carries an attribute of that name.
  const attributeTest = (name) => (el) => el.hasAttribute !== undefined && el.hasAttribute(name);

  // The same test for many elements, from one query of the whole document
  // rather than a call into the document per element.
  const bulkAttributeTest = (name) => {
    try {
      const found = new Set(document.querySelectorAll('[' + CSS.escape(name) + ']'));
      return (el) => found.has(el);
    } catch (e) {
      return attributeTest(name);
    }
  };

  // Texts too long for one answer wait here to be fetched piece by piece.
  // Several reads may each be fetching one; past KEPT the oldest goes, and
  // a read still after it fails that text alone.
  const KEPT = 16;
  const kept = new Map();
  let lastToken = 0;
  const keep = (text) => {
    kept.set(++lastToken, text);
    if (kept.size > KEPT) kept.delete(kept.keys().next().value);
    return lastToken;
  };
  const answer = (v) => (typeof v === 'string' && v.length > CHUNK ? { v: v.slice(0, CHUNK), more: keep(v), n: v.length } : { v });

  // An element's mark-up holds its children's, and a wrapper often shows the
  // same text as its child: a text found in its parent's same member goes
  // as a part of that, so the mark-up of a deep page travels once and not
  // once a level. Children come in document order, so each is looked for
  // after the one before it; once one is not found, the parent is not
  // searched again, which keeps the searching linear.
  const partFinder = (member) => {
    const within = /^(inner|outer)html$/i.test(member);
    const texts = new Map(); // element -> { entry, text, from }
    return (el, text, entry) => {
      const parent = el.parentNode && texts.get(el.parentNode);
      texts.set(el, { entry, text, from: 0 });
      if (!parent) return undefined;
      if (parent.text === text) return [parent.entry, 0];
      if (!within || parent.from < 0) return undefined;
      const at = parent.text.indexOf(text, parent.from);
      parent.from = at < 0 ? -1 : at + text.length;
      return at < 0 ? undefined : [parent.entry, at];
    };
  };

  // Whether an element fails one of the tests [member, how, texts, longest,
  // afterPassing]: "in" its text is one of texts, "out" none of them, "has"
  // it is not empty, at most longest long (when that is above 0) and holds
  // each of texts. A member the element lacks reads as the empty text, and
  // a value that is no text passes. An element with a member whose read
  // throws never fails: the caller's own read of it tells the failure. A
  // test afterPassing is made only where the tests before it passed, as the
  // caller reads it. Null when there are no tests.
  const testsFailed = (tests, makeAttributeTest) => {
    if (!tests || !tests.length) return null;
    const checks = tests.map(([member, how, texts, longest, afterPassing]) => {
      const listed = new Set(texts);
      const passes = how === 'in' ? (v) => listed.has(v)
        : how === 'out' ? (v) => !listed.has(v)
          : (v) => v !== '' && (longest <= 0 || v.length <= longest) && texts.every((t) => v.includes(t));
      return { reader: memberReader(member, makeAttributeTest), passes, afterPassing };
    });
    return (el) => {
      let fails = false;
      for (const { reader, passes, afterPassing } of checks) {
        if (afterPassing && fails) continue;
        let v;
        try {
          v = reader(el);
        } catch (e) {
          return false;
        }
        if (v === MISSING) v = '';
        if (typeof v === 'string' && !passes(v)) fails = true;
      }
      return fails;
    };
  };

  const guarded = (fn) => (...args) => {
    try {
      return fn(...args);
    } catch (e) {
      return e instanceof Fault ? { e: e.number, d: e.text } : { e: FAILURE, d: String(e) };
    }
  };

  // The members of the elements at(0) .. at(count - 1) in one answer, as
  // readMany describes it.
  const readElements = (count, at, members, tests) => {
    // One query of the document pays off only over many elements, and a
    // good share of the document's.
    const attributes = count > 256 && count * 16 >= document.all.length ? bulkAttributeTest : attributeTest;
    const readers = members.map((member) => memberReader(member, attributes));
    const failsATest = testsFailed(tests, attributes);
    const partOf = members.map(partFinder);
    const pieces = [];
    const x = [];
    // Tag names, types and the like repeat: a short text sent once stands
    // for its later copies, numbered in the order they were first sent.
    const repeats = new Map();
    let size = 0;
    let entry = 0;
    let passed = 0; // entries passed over since the last piece
    for (let n = 0; n < count && size <= BULK; n++) {
      const el = at(n);
      if (el && failsATest && failsATest(el)) {
        passed += readers.length;
        entry += readers.length;
        continue;
      }
      if (passed) pieces.push('-' + passed + ':');
      passed = 0;
      for (let j = 0; j < readers.length; j++, entry++) {
        let v;
        try {
          v = el ? readers[j](el) : MISSING;
        } catch (e) {
          pieces.push('!' + (e instanceof Fault ? e.number : FAILURE) + ':');
          continue;
        }
        const part = typeof v === 'string' && v.length > SHORT ? partOf[j](el, v, entry) : undefined;
        if (part) {
          pieces.push('^' + part[0] + '.' + part[1] + '.' + v.length + ':');
        } else if (typeof v === 'string' && v.length <= CHUNK) {
          const seen = v.length <= SHORT ? repeats.get(v) : undefined;
          if (seen !== undefined) {
            pieces.push('=' + seen + ':');
            continue;
          }
          if (v.length <= SHORT) repeats.set(v, repeats.size);
          pieces.push(v.length + ':' + v);
          size += v.length;
        } else if (v === MISSING) {
          pieces.push(el ? '!:' : '!' + OBJECT_NOT_SET + ':');
        } else {
          // A long text counts too, so that an answer leaves few waiting.
          if (typeof v === 'string') size += v.length;
          x.push(typeof v === 'string' ? [entry, null, keep(v), v.length] : [entry, v]);
          pieces.push('~:');
        }
      }
    }
    if (passed) pieces.push('-' + passed + ':');
    return { t: pieces.join(''), x };
  };

  const formControl = (el) => el instanceof HTMLInputElement || el instanceof HTMLSelectElement
    || el instanceof HTMLTextAreaElement;

  globalThis.__vorlane = Object.freeze({
    readyState: () => document.readyState,
    length: guarded((kind) => ({ v: collections[kind]().length })),
    get: guarded((ref, member) => {
      const el = resolve(ref);
      return { ...answer(read(el, member)), k: keyFor(el) };
    }),
    // Several members of many elements in one call. The elements' positions
    // come as runs, [first, count, first, count, ...]; entry k *
    // members.length + j is member j of the k-th position. The entries travel
    // as one string of pieces, far cheaper over the protocol than an array
    // per element: "<length>:<text>" for a text, "=<n>:" for the n-th short
    // text of this answer sent again, "^<entry>.<offset>.<length>:" for a
    // part of an earlier entry's text, "!:" for a missing member,
    // "!<error number>:" for another failure, and "~:" for anything else,
    // which x then gives as [entry, value] or, for a text too long for one
    // answer, [entry, null, token, length] to fetch by chunk(). An answer
    // stops early, after at least one element, once its texts pass BULK;
    // the caller asks for the rest. With tests, an element that fails them
    // is passed over unread, and "-<n>:" stands for n such entries.
    readMany: guarded((kind, members, runs, tests) => {
      const list = collections[kind]();
      const positions = [];
      for (let r = 0; r < runs.length; r += 2)
        for (let i = runs[r], end = runs[r] + runs[r + 1]; i < end; i++) positions.push(i);
      return readElements(positions.length, (n) => list[positions[n]], members, tests);
    }),
    // readMany of the elements that an earlier read's uniqueID named,
    // wherever they stand now; one that left the page reads as no element.
    readIdentified: guarded((members, ids) => readElements(ids.length, (n) => {
      const id = String(ids[n]);
      const el = id.startsWith(UID) ? byKey.get(Number(id.slice(UID.length)))?.deref() : undefined;
      return el && el.isConnected ? el : undefined;
    }, members, null)),
    // The piece of a kept text at offset; the last piece lets it go.
    chunk: (token, offset) => {
      const text = kept.get(token);
      if (text === undefined) return null;
      if (offset + CHUNK >= text.length) kept.delete(token);
      return text.slice(offset, offset + CHUNK);
    },
    // A write is an edit as a user would make it: the page's own listeners
    // hear input and change, so frameworks bound to the field keep the value.
    put: guarded((ref, member, value) => {
      const el = resolve(ref);
      const name = findMember(el, member);
      if (name === undefined) throw new Fault(MEMBER_NOT_FOUND, member);
      try {
        el[name] = value;
      } catch (e) {
        throw new Fault(MEMBER_NOT_FOUND, member + ': ' + e);
      }
      if (formControl(el) && (name === 'value' || name === 'checked')) {
        el.dispatchEvent(new Event('input', { bubbles: true }));
        el.dispatchEvent(new Event('change', { bubbles: true }));
      }
      return { k: keyFor(el) };
    }),
    invoke: guarded((ref, method) => {
      const el = resolve(ref);
      const name = findMember(el, method);
      if (name === undefined || typeof el[name] !== 'function') throw new Fault(MEMBER_NOT_FOUND, method);
      el[name]();
      return { k: keyFor(el) };
    }),
    byId: guarded((idOrName) => {
      const el = document.getElementById(idOrName) ?? document.getElementsByName(idOrName)[0];
      return el ? { k: keyFor(el) } : { v: null };
    }),
  });
})();
