// Small DOM helpers: elements looked up by id and checked once, new elements,
// downloads and the clipboard.

type ElementKinds = Record<string, abstract new () => HTMLElement>;
type Found<K extends ElementKinds> = { [Name in keyof K]: InstanceType<K[Name]> };

/** The page's elements by id (a key like exportWav names the id "export-wav"),
 * each checked to exist and to be of its kind; throws naming the first that is not. */
export function findElements<K extends ElementKinds>(kinds: K): Found<K> {
  const found: Partial<Record<keyof K, HTMLElement>> = {};
  for (const [key, kind] of Object.entries(kinds)) {
    const id = key.replace(/[A-Z]/g, (c) => `-${c.toLowerCase()}`);
    const element = document.getElementById(id);
    if (!(element instanceof kind)) {
      throw new Error(`Studio: the page has no ${kind.name} with id "${id}" (index.html and the script differ)`);
    }
    found[key as keyof K] = element;
  }
  return found as Found<K>;
}

export function el<K extends keyof HTMLElementTagNameMap>(
  tag: K,
  attrs: Record<string, string> = {},
  text = '',
): HTMLElementTagNameMap[K] {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs)) e.setAttribute(k, v);
  if (text) e.textContent = text;
  return e;
}

export function download(name: string, bytes: Uint8Array, type: string): void {
  const url = URL.createObjectURL(new Blob([bytes as BlobPart], { type }));
  const a = el('a', { href: url, download: name });
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

/** Copies text to the clipboard; false when the browser refused. */
export async function copyText(text: string): Promise<boolean> {
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    const area = el('textarea');
    area.value = text;
    document.body.append(area);
    area.select();
    const copied = document.execCommand('copy');
    area.remove();
    return copied;
  }
}

/** Says beside a button, for a few seconds and to screen readers, what it did. */
export function confirmBeside(button: HTMLElement, message: string): void {
  let note = button.nextElementSibling;
  if (!(note instanceof HTMLElement) || !note.classList.contains('done')) {
    note = el('span', { class: 'done', role: 'status' });
    button.after(note);
  }
  const shown = note as HTMLElement;
  shown.textContent = message;
  clearTimeout(Number(shown.dataset.timer));
  shown.dataset.timer = String(setTimeout(() => (shown.textContent = ''), 4000));
}
